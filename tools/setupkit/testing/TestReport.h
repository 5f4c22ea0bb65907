#pragma once

#include "testing/PrefixDifference.h"
#include "testing/TestSummary.h"
#include "testing/TestVerdict.h"

#include <optional>
#include <string>
#include <vector>

// What `setupkit test` found, and the two forms it reports it in: a text for people and a
// JUnit file for CI servers.

struct RemovalOutcome {
    Verdict verdict;
    bool ran = false;       // the uninstaller was started (the installation passed)
    std::string command;    // the registered uninstall command
    std::string transcript; // path
    std::optional<double> seconds;
    PrefixDifference remained; // the prefix after the removal against before the install
    std::vector<Leftover> leftovers;
};

struct TestOutcome {
    std::string product;               // the product's name
    std::string description;           // the description's path
    std::string scenario;              // the scenario's path, empty for the autopilot
    std::string work;                  // the work folder
    std::vector<std::string> programs; // the SETUP.EXE and KXUN32.EXE used, with their machine
    double seconds = 0;
    Verdict install;
    std::optional<double> installSeconds;          // the installer's run under the driver
    std::optional<InstallExpectation> expectation; // none when the script could not be read
    std::string transcript;                        // path
    std::vector<std::string> pictures;             // paths
    PrefixDifference changes;
    std::string logPath;              // the install log as Windows shows it, empty when none
    std::string log;                  // its text
    int sharedItems = 0;              // items marked shared
    bool sharedCountsMissing = false; // the prefix has no SharedDLLs key
    std::optional<RemovalOutcome> removal;

    [[nodiscard]] bool Passed() const {
        return install.passed && (!removal || removal->verdict.passed);
    }
};

[[nodiscard]] std::string ReportText(const TestOutcome& outcome);
[[nodiscard]] std::string JUnitXml(const TestOutcome& outcome);

// A byte count with thousands separators, as the reports print them: 5120 -> "5,120".
[[nodiscard]] std::string Thousands(std::uint64_t value);

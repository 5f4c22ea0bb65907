#pragma once

#include "testing/TestReport.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// What verify found in a disk set: one group per kind of check, each with its findings.

enum class Severity {
    Fault,   // SETUP.EXE would fail, or install something other than the product
    Warning, // right or wrong depending on what the disks do not tell
};

struct Finding {
    Severity severity = Severity::Fault;
    std::string text; // "disk2/NOTEPAD.~01: missing (piece 2 of 3 of NOTEPAD.EX_)"
};

struct CheckGroup {
    std::string title;   // "install files"
    std::string summary; // what was checked, shown when nothing was found
    std::vector<Finding> findings;

    void Fault(std::string text) { findings.push_back({Severity::Fault, std::move(text)}); }
    void Warn(std::string text) { findings.push_back({Severity::Warning, std::move(text)}); }
};

struct VerifyReport {
    std::filesystem::path disks;
    std::uint32_t diskCount = 0;
    std::vector<CheckGroup> groups;

    [[nodiscard]] std::size_t Count(Severity severity) const;
    [[nodiscard]] bool Sound() const { return Count(Severity::Fault) == 0; }
};

// The report as the command prints it: a line per group ("title: summary", or the number of
// faults and warnings followed by one line each), then the verdict.
[[nodiscard]] std::string FormatVerifyReport(const VerifyReport& report);


// "1 disk", "2 disks".
[[nodiscard]] std::string Counted(std::size_t count, const char* noun);

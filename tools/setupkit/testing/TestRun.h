#pragma once

#include "script/ScriptModel.h"

#include <filesystem>
#include <string>
#include <vector>

// The programs and scripts that `setupkit test` runs, found beside the installed tool
// (<prefix>/share/setupkit) or in the build tree it was built in.
struct TestTools {
    std::filesystem::path driver;      // e2e_driver.exe
    std::filesystem::path runner;      // the folder holding e2e/ and wine/
    std::filesystem::path productTest; // product-test.sh
};

// Whether the run drives windows: an unattended one needs no driver.
enum class NeedsDriver { No, Yes };

// Throws ToolError naming what is missing.
[[nodiscard]] TestTools FindTestTools(const std::filesystem::path& driverOverride,
                                      NeedsDriver needsDriver);

// The SETUP.EXE a test runs when none is given, and why it is that one.
struct TestedSetup {
    std::filesystem::path setupExe;
    std::string note; // empty for the shipped 32-bit program
};

// The shipped 32-bit SETUP.EXE; on a host whose Wine runs no 32-bit programs, the x86-64 build
// (installed in share/setupkit/x86-64, in the build tree the Win32 tests' build), which is not
// for release.
[[nodiscard]] TestedSetup DefaultTestedSetup();

// A work folder that may be emptied: new, empty, or made by an earlier test (it holds the
// marker). Throws ToolError otherwise; returns the folder emptied and marked.
[[nodiscard]] std::filesystem::path PrepareWorkFolder(const std::filesystem::path& requested);

// Runs a program with arguments (no shell) and waits; its exit code, or 128 + signal.
[[nodiscard]] int RunProgram(const std::vector<std::string>& arguments);

// Whether a program is on PATH.
[[nodiscard]] bool OnPath(const std::string& program);

// The compiled script of built disks (DISKS/disk1/SETUP.INF); throws ToolError when it cannot
// be read.
[[nodiscard]] SetupScript ReadBuiltScript(const std::filesystem::path& disks);

// DISKS/disk-labels.txt: the labels of the script's disks, by which the driver's autopilot
// answers a disk prompt.
void WriteDiskLabels(const std::filesystem::path& disks, const SetupScript& script);

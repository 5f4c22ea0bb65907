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

// Throws ToolError naming what is missing.
[[nodiscard]] TestTools FindTestTools(const std::filesystem::path& driverOverride);

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

#include "testing/TestRun.h"

#include "disks/BuildOptions.h"
#include "ChildProcess.h"
#include "ToolError.h"
#include "ToolFiles.h"
#include "script/ScriptLoader.h"
#include "script/SetupError.h"
#include "testing/DiskLabels.h"

#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kWorkMarker = ".setupkit-test";

} // namespace

TestTools FindTestTools(const fs::path& driverOverride, NeedsDriver needsDriver) {
    const auto [share, build] = FindToolFolders();
    std::error_code code;
    TestTools tools;
    // Installed: <prefix>/share/setupkit/{e2e_driver.exe,testing/}.
    if (fs::exists(share / "testing" / "product-test.sh", code)) {
        tools.driver = share / "e2e_driver.exe";
        tools.runner = share / "testing";
        tools.productTest = share / "testing" / "product-test.sh";
    } else {
        // The build tree: <build>/win32/tests/e2e/driver/.
        const fs::path source = SETUPKIT_SOURCE_DIR;
        tools.driver = build / "win32" / "tests" / "e2e" / "driver" / "e2e_driver.exe";
        tools.runner = source / "tests";
        tools.productTest = source / "tools" / "setupkit" / "testing" / "product-test.sh";
    }
    if (!driverOverride.empty()) {
        tools.driver = driverOverride;
    }
    for (const fs::path& needed :
         {tools.driver, tools.productTest, tools.runner / "e2e" / "run-scenario.sh",
          tools.runner / "wine" / "wine-env.sh"}) {
        if (needed == tools.driver && needsDriver == NeedsDriver::No) {
            continue;
        }
        if (!fs::is_regular_file(needed, code)) {
            throw ToolError(needed.string() + ": not found (setupkit test needs it; give the " +
                            "driver with --driver, or install setupkit with its share folder)");
        }
    }
    return tools;
}

TestedSetup DefaultTestedSetup() {
    if (RunProgram({"sh", "-c", "/usr/lib/wine/wine --version >/dev/null 2>&1"}) == 0) {
        return {DefaultSetupExe(), {}};
    }
    const auto [share, build] = FindToolFolders();
    std::error_code code;
    fs::path setupExe = build / "win32" / "src" / "shell" / "dist" / kSetupExeName;
    if (fs::exists(share / kSetupExeName, code)) {
        // Installed: a package built where Wine runs no 32-bit programs carries the x86-64 ones.
        setupExe = share / "x86-64" / kSetupExeName;
        if (!fs::exists(setupExe, code)) {
            throw ToolError("this host's Wine runs no 32-bit programs, and this setupkit has no "
                            "x86-64 build of SETUP.EXE to test with (" +
                            setupExe.string() + "); give one with --setup-exe");
        }
    }
    return {setupExe, "not for release: this host's Wine runs no 32-bit programs, so the x86-64 "
                      "build ran; the disks to ship carry the 32-bit programs"};
}

fs::path PrepareWorkFolder(const fs::path& requested) {
    std::error_code code;
    if (requested.empty()) {
        std::string pattern = (fs::temp_directory_path(code) / "setupkit-test-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw ToolError("cannot make a work folder in " +
                            fs::temp_directory_path(code).string());
        }
        WriteFile(fs::path(pattern) / kWorkMarker, {}, ExistingFile::Refuse);
        return fs::absolute(pattern);
    }
    const fs::path folder = fs::absolute(requested);
    if (fs::exists(folder, code)) {
        if (!fs::is_directory(folder, code)) {
            throw ToolError("--work " + requested.string() + ": not a folder");
        }
        if (!fs::is_empty(folder, code) && !fs::exists(folder / kWorkMarker, code)) {
            throw ToolError("--work " + requested.string() +
                            ": the folder holds files that an earlier setupkit test did not make; "
                            "give a new or empty folder");
        }
        fs::remove_all(folder, code);
        if (code) {
            throw ToolError("--work " + requested.string() +
                            ": cannot empty it: " + code.message());
        }
    }
    fs::create_directories(folder, code);
    if (code) {
        throw ToolError("--work " + requested.string() + ": cannot make it: " + code.message());
    }
    WriteFile(folder / kWorkMarker, {}, ExistingFile::Refuse);
    return folder;
}

int RunProgram(const std::vector<std::string>& arguments) {
    pid_t child = 0;
    return StartChild(arguments, nullptr, child) ? WaitForChild(child) : 127;
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const fs::path folder(rest.substr(0, colon));
        rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
        if (access((folder / program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

SetupScript ReadBuiltScript(const fs::path& disks) {
    const fs::path path = disks / "disk1" / kScriptName;
    try {
        return ParseSetupScript(ReadBinaryFile(path));
    } catch (const ScriptRefused& error) {
        throw ToolError(path.string() + ": " + error.text());
    }
}

void WriteDiskLabels(const fs::path& disks, const SetupScript& script) {
    std::vector<std::string> labels;
    for (const TextBlock& label : script.diskLabels) {
        labels.emplace_back(TextOf(label));
    }
    const std::string text = DiskLabelsText(labels);
    WriteTextFile(disks / kDiskLabelsFile, text, ExistingFile::Replace);
}

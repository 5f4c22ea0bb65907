#include "TestCommand.h"

#include "Cp1252.h"
#include "AnswersCommand.h"
#include "ProductDisks.h"
#include "ToolError.h"
#include "ToolFiles.h"
#include "common/AsciiCase.h"
#include "disks/UninstallerItems.h"
#include "testing/Lines.h"
#include "testing/ProgramMachine.h"
#include "testing/TestReport.h"
#include "testing/TestRun.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <map>
#include <cstdio>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct TestCommandOptions {
    std::string description;
    std::string scenario;
    std::string work;
    std::string junit;
    std::string setupExe;
    std::string driver;
    std::string capacity;
    std::string answers;
    bool uninstall = false;
    bool keep = false;
    bool silent = false;
    int timeout = 600;
};

// The autopilot: every page's default, every box's default button, disks inserted as asked.
constexpr const char* kAutopilotScenario =
    "# Every window of the program answered with its default until it ends.\n"
    "auto timeout %d\n"
    "expect exit 0\n";

std::string ReadText(const fs::path& path) {
    return ReadTextIfPresent(path);
}

void WriteText(const fs::path& path, const std::string& text) {
    WriteTextFile(path, text, ExistingFile::Replace);
}

// The file's text without the line ends and blanks that close it.
std::string ReadTrimmedText(const fs::path& path) {
    std::string text = ReadText(path);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.pop_back();
    }
    return text;
}

int ReadExitCode(const fs::path& path) {
    const std::string text = ReadText(path);
    try {
        return text.empty() ? -1 : std::stoi(text);
    } catch (const std::exception&) {
        return -1;
    }
}

fs::path WriteAutopilot(const fs::path& work, const std::string& name, int seconds) {
    char text[256];
    std::snprintf(text, sizeof text, kAutopilotScenario, seconds);
    const fs::path path = work / name;
    WriteText(path, text);
    return path;
}

// "SIZE<TAB>./PATH" lines, as recorded after the installation.
std::map<std::string, std::uint64_t> ReadSizes(const fs::path& path) {
    std::map<std::string, std::uint64_t> sizes;
    ForEachLine(ReadText(path), [&](std::string_view line) {
        const std::size_t tab = line.find("\t./");
        if (tab != std::string_view::npos) {
            sizes[std::string(line.substr(tab + 3))] =
                std::strtoull(std::string(line.substr(0, tab)).c_str(), nullptr, 10);
        }
    });
    return sizes;
}

PrefixDifference ReadDifference(const fs::path& work, const std::string& name,
                                const std::map<std::string, std::uint64_t>& sizes) {
    return ReadPrefixDifference(
        ReadText(work / (name + ".changes")), ReadText(work / (name + ".ini-changes")),
        [&](const std::string& relative) -> std::optional<std::uint64_t> {
            const auto size = sizes.find(relative);
            return size == sizes.end() ? std::nullopt : std::optional(size->second);
        });
}

// The install log: the copy made before a removal could take it away.
void FindInstallLog(const fs::path& work, TestOutcome& outcome) {
    for (const ChangedFile& file : outcome.changes.added) {
        if (AsciiUpper(file.path).ends_with("\\SETUPLOG.TXT")) {
            outcome.logPath = file.path;
            outcome.log = AnsiToUtf8(ReadText(work / "setuplog.txt"));
            return;
        }
    }
}

std::vector<std::string> Pictures(const fs::path& folder) {
    std::vector<std::string> pictures;
    std::error_code code;
    for (const auto& entry : fs::directory_iterator(folder, code)) {
        if (entry.path().extension() == ".png" || entry.path().extension() == ".bmp") {
            pictures.push_back(entry.path().string());
        }
    }
    std::sort(pictures.begin(), pictures.end());
    return pictures;
}

// What the test needs before it builds anything: sensible options and Wine with a display.
void CheckTestInput(const TestCommandOptions& options, const SetupScript& script) {
    if (options.uninstall && script.uninstallPresent == 0) {
        throw ToolError("--uninstall: " + options.description +
                        " registers no uninstaller (it has no [uninstall] entry)");
    }
    std::error_code code;
    if (!options.scenario.empty() && !fs::is_regular_file(options.scenario, code)) {
        throw ToolError("--scenario " + options.scenario + ": no such file");
    }
    if (options.silent && !options.scenario.empty()) {
        throw ToolError("--silent runs no scenario: give one of --silent and --scenario");
    }
    if (!options.answers.empty()) {
        if (!options.silent) {
            throw ToolError("--answers " + options.answers + ": answer files are for --silent");
        }
        CheckAnswerFile(options.answers, script);
    }
    for (const char* program : {"wine", "Xvfb"}) {
        if (!OnPath(program)) {
            throw ToolError(std::string(program) +
                            " is not installed: setupkit test runs the installer under Wine "
                            "on a virtual display (Debian: apt install wine xvfb)");
        }
    }
}

// The disks in WORK/disks, with the labels the driver inserts by.
struct TestDisks {
    BuildOptions build;
    SetupScript script; // as built, with sizes and disks filled in
    std::vector<std::string> programs;
};

TestDisks BuildTestDisks(const TestCommandOptions& options, ProductDescription& description,
                         const fs::path& work) {
    TestDisks disks;
    BuildOptions& build = disks.build;
    build.outputDirectory = work / "disks";
    if (!options.capacity.empty()) {
        build.capacity = CapacityOption(options.capacity);
    }
    const TestedSetup tested =
        options.setupExe.empty() ? DefaultTestedSetup() : TestedSetup{options.setupExe, {}};
    build.setupExe = tested.setupExe;
    std::error_code code;
    if (!fs::is_regular_file(build.setupExe, code)) {
        throw ToolError("SETUP.EXE not found at " + build.setupExe.string() +
                        "; give --setup-exe PATH");
    }
    const BuildReport report = BuildProductDisks(description, build, {});
    disks.script = ReadBuiltScript(build.outputDirectory);
    WriteDiskLabels(build.outputDirectory, disks.script);
    disks.programs = {ProgramLine("SETUP.EXE", build.setupExe)};
    if (description.addUninstaller) {
        disks.programs.push_back(ProgramLine("KXUN32.EXE", DefaultUninstaller(build.setupExe)));
    }
    if (!tested.note.empty()) {
        disks.programs.push_back("  " + tested.note);
    }
    std::printf("setupkit test: %zu disk(s) built in %s; installing under Wine...\n",
                report.disks.size(), build.outputDirectory.c_str());
    std::fflush(stdout);
    return disks;
}

// Installs (and removes, with --uninstall) under Wine through product-test.sh.
void RunUnderWine(const TestCommandOptions& options, const TestTools& tools, const fs::path& work,
                  const std::string& product) {
    const fs::path scenario = options.scenario.empty()
                                  ? WriteAutopilot(work, "autopilot.scenario", options.timeout)
                                  : fs::absolute(options.scenario);
    std::vector<std::string> arguments = {"bash", tools.productTest.string()};
    if (options.silent) {
        arguments.push_back("--silent");
        if (!options.answers.empty()) {
            arguments.insert(arguments.end(),
                             {"--answers", fs::absolute(options.answers).string()});
        }
    }
    arguments.insert(arguments.end(),
                     {tools.runner.string(), work.string(), (work / "disks").string(),
                      scenario.string(), tools.driver.string(), std::to_string(options.timeout)});
    if (options.uninstall) {
        // The uninstall entry is registered under the product's name.
        arguments.push_back(product);
        arguments.push_back(WriteAutopilot(work, "removal.scenario", options.timeout).string());
    }
    if (const int ran = RunProgram(arguments); ran != 0) {
        throw ToolError("Wine or its virtual display could not be started (exit code " +
                        std::to_string(ran) + "); see " + (work / "wineprefix.boot.log").string());
    }
    // The driver refuses a scenario that does not follow the grammar before it starts.
    if (ReadExitCode(work / "install" / "driver.rc") == 2) {
        throw ToolError("the scenario cannot be used: " +
                        ReadTrimmedText(work / "install" / "driver.log"));
    }
}

// What the installation showed and changed, read from the work folder.
void ReadInstallOutcome(const TestCommandOptions& options, const SetupScript& script,
                        const SetupScript& built, const fs::path& work,
                        const std::map<std::string, std::uint64_t>& sizes, TestOutcome& outcome) {
    outcome.transcript = (work / (options.silent ? "run.log" : "install/transcript.txt")).string();
    const std::string transcript = ReadText(outcome.transcript);
    const ClosingTexts texts{script.successCaption.Str(), script.successText.Str(),
                             script.failureCaption.Str(), script.failureText.Str()};
    const int exitCode = ReadExitCode(work / "install.rc");
    outcome.install = options.silent ? JudgeSilentInstall(exitCode, transcript)
                                     : JudgeInstall(exitCode, transcript, texts);
    outcome.install.summary = AnsiToUtf8(outcome.install.summary);
    outcome.installSeconds = TranscriptSeconds(transcript);
    outcome.pictures = Pictures(work / "install" / "shots");
    outcome.changes = ReadDifference(work, "installed", sizes);
    FindInstallLog(work, outcome);
    // The log lies in the destination directory.
    // The defaults, unless a scenario or an answer file chose otherwise.
    outcome.expectation = ExpectInstall(
        built, options.scenario.empty() && options.answers.empty(),
        outcome.logPath.substr(0, outcome.logPath.find_last_of('\\')), sizes, outcome.changes);
    outcome.sharedItems =
        static_cast<int>(std::count_if(script.installItems.begin(), script.installItems.end(),
                                       [](const InstallItem& item) { return item.shared != 0; }));
    outcome.sharedCountsMissing = ReadText(work / "shared-counts").starts_with("missing");
}

RemovalOutcome ReadRemovalOutcome(const fs::path& work,
                                  const std::map<std::string, std::uint64_t>& sizes) {
    RemovalOutcome removal;
    removal.command = ReadTrimmedText(work / "removal.command");
    removal.transcript = (work / "removal-transcript.txt").string();
    removal.ran = !removal.command.empty();
    const std::string shown = AnsiToUtf8(ReadText(removal.transcript));
    std::error_code code;
    removal.verdict = fs::exists(work / "removal.rc", code)
                          ? JudgeRemoval(ReadExitCode(work / "removal.rc"), shown)
                          : Verdict{false, "not run: the installation did not pass"};
    removal.seconds = TranscriptSeconds(shown);
    removal.remained = ReadDifference(work, "removed", sizes);
    removal.leftovers = JudgeLeftovers(removal.remained, removal.command);
    return removal;
}

// Prints the report and leaves it in the work folder (and as JUnit XML when asked).
void WriteTestReport(const TestCommandOptions& options, const fs::path& work,
                     const TestOutcome& outcome) {
    const std::string text = ReportText(outcome);
    std::fputs(text.c_str(), stdout);
    WriteText(work / "report.txt", text);
    if (!options.junit.empty()) {
        WriteText(options.junit, JUnitXml(outcome));
    }
    // The prefix's copy is large: a passed run drops it, a failed one keeps it to look into.
    if (outcome.Passed() && !options.keep) {
        std::error_code code;
        fs::remove_all(work / "wineprefix", code);
    }
}

CommandResult RunTest(const TestCommandOptions& options) {
    const auto started = std::chrono::steady_clock::now();
    if (options.timeout < 10) {
        throw ToolError("--timeout " + std::to_string(options.timeout) +
                        ": give at least 10 seconds");
    }
    ProductDescription description = LoadDescriptionForCommand(options.description);
    const SetupScript& script = description.script;
    CheckTestInput(options, script);
    const TestTools tools =
        FindTestTools(options.driver, options.silent ? NeedsDriver::No : NeedsDriver::Yes);
    const fs::path work = PrepareWorkFolder(options.work);
    const TestDisks disks = BuildTestDisks(options, description, work);
    const std::string product = AnsiToUtf8(script.productName.View());
    RunUnderWine(options, tools, work, product);

    TestOutcome outcome;
    outcome.product = product;
    outcome.description = options.description;
    outcome.scenario =
        options.silent ? "silent, " + (options.answers.empty() ? std::string("with the defaults")
                                                               : "answers from " + options.answers)
                       : options.scenario;
    outcome.work = work.string();
    outcome.programs = disks.programs;
    const std::map<std::string, std::uint64_t> sizes = ReadSizes(work / "installed.sizes");
    ReadInstallOutcome(options, script, disks.script, work, sizes, outcome);
    if (options.uninstall) {
        outcome.removal = ReadRemovalOutcome(work, sizes);
    }
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    WriteTestReport(options, work, outcome);
    return outcome.Passed() ? CommandResult::Success : CommandResult::Failed;
}

} // namespace

void AddTestCommand(CLI::App& app, ChosenCommand& chosen) {
    CLI::App* command = app.add_subcommand(
        "test", "Build the disks and install them under Wine on a private virtual display, "
                "driven like a person; report what the installer showed and changed "
                "(exit code 0 passed, 1 failed, 2 bad input)");
    auto options = std::make_shared<TestCommandOptions>();
    command->add_option("description", options->description, "the product description (.toml)")
        ->required();
    command->add_option("--scenario", options->scenario,
                        "what the person does (docs/scenarios.md); default: every page's and "
                        "box's default, disks inserted as asked");
    command->add_option("--work", options->work,
                        "the folder for disks, Wine prefix, pictures and report (default: a new "
                        "folder in the temporary directory)");
    command->add_option("--junit", options->junit, "also write the result as a JUnit XML file");
    command->add_flag("--uninstall", options->uninstall,
                      "then remove the product with its registered uninstaller and report what "
                      "remained");
    command->add_flag("--keep", options->keep,
                      "keep the Wine prefix (WORK/wineprefix) after a passed run too; a failed "
                      "run always keeps it");
    command->add_option("--timeout", options->timeout,
                        "seconds the installer may take, and the removal too (default 600); a "
                        "hung installer fails after it and is ended");
    command->add_option("--capacity", options->capacity,
                        "bytes per disk, as for build (default: the description's)");
    command->add_flag("--silent", options->silent,
                      "install unattended (SETUP.EXE /silent) instead of driving the wizard, and "
                      "remove by the quiet uninstall command; WORK/run.log is the run's log");
    command->add_option("--answers", options->answers,
                        "with --silent: the answer file to install with (see `setupkit answers`)");
    command->add_option("--setup-exe", options->setupExe, "the SETUP.EXE to put on disk 1");
    command->add_option("--driver", options->driver, "the end-to-end driver (e2e_driver.exe)");
    command->callback([options, &chosen] {
        chosen = {"test", options->description, [options] { return RunTest(*options); }};
    });
}

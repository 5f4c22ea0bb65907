// e2e_driver: runs a program under test the way a person would, following a scenario.
//
//   e2e_driver SCENARIO PROGRAM [--args TEXT] [--transcript FILE] [--shots DIR]
//              [--requests DIR] [--deadline SECONDS] [--disk-labels FILE]
//
// --requests names the folder through which `insert`, `eject` and `run` ask the runner to
// change the disk or to run a command on the host. --disk-labels names the labels of the disk
// set ("diskN<TAB>LABEL" lines), by which the autopilot answers a disk prompt.
//
// Exit codes: 0 the scenario held, 1 a step failed (see the transcript), 2 usage or a scenario
// that does not follow the grammar (nothing was started).
#include "Driver.h"
#include "Handles.h"
#include "Scenario.h"
#include "Transcript.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

int Usage(const char* message) {
    std::fprintf(stderr,
                 "e2e_driver: %s\nusage: e2e_driver SCENARIO PROGRAM [--args TEXT] "
                 "[--transcript FILE] [--shots DIR] [--requests DIR] [--deadline SECONDS] "
                 "[--disk-labels FILE]\n",
                 message);
    return 2;
}

bool ReadFile(const std::string& path, std::string& text) {
    UniqueStdioFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return false;
    }
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        text.append(buffer, count);
    }
    return !std::ferror(file.get());
}

} // namespace

int main(int argc, char** argv) {
    std::string scenarioPath;
    std::string transcriptPath = "transcript.txt";
    DriverOptions options;
    std::string labelsPath;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--args" && hasValue) {
            options.arguments = argv[++i];
        } else if (arg == "--transcript" && hasValue) {
            transcriptPath = argv[++i];
        } else if (arg == "--shots" && hasValue) {
            options.shotDirectory = argv[++i];
        } else if (arg == "--requests" && hasValue) {
            options.requestDirectory = argv[++i];
        } else if (arg == "--deadline" && hasValue) {
            options.deadlineSeconds = std::atoi(argv[++i]);
            if (options.deadlineSeconds <= 0) {
                return Usage("--deadline needs a number of seconds");
            }
        } else if (arg == "--disk-labels" && hasValue) {
            labelsPath = argv[++i];
        } else if (arg.rfind("--", 0) == 0) {
            return Usage(("unknown option " + arg).c_str());
        } else if (positional == 0) {
            scenarioPath = arg;
            ++positional;
        } else if (positional == 1) {
            options.program = arg;
            ++positional;
        } else {
            return Usage("too many arguments");
        }
    }
    if (positional != 2) {
        return Usage("a scenario and a program are needed");
    }

    std::string text;
    if (!ReadFile(scenarioPath, text)) {
        std::fprintf(stderr, "e2e_driver: cannot read the scenario %s\n", scenarioPath.c_str());
        return 2;
    }
    Scenario scenario;
    try {
        scenario = ParseScenario(text);
    } catch (const ScenarioError& error) {
        std::fprintf(stderr, "e2e_driver: %s: %s\n", scenarioPath.c_str(), error.message.c_str());
        return 2;
    }

    if (!labelsPath.empty()) {
        std::string labelsText;
        if (!ReadFile(labelsPath, labelsText)) {
            std::fprintf(stderr, "e2e_driver: cannot read the disk labels %s\n",
                         labelsPath.c_str());
            return 2;
        }
        DiskLabels labels = ParseDiskLabels(labelsText);
        if (!labels.error.empty()) {
            std::fprintf(stderr, "e2e_driver: %s: %s\n", labelsPath.c_str(), labels.error.c_str());
            return 2;
        }
        options.diskLabels = std::move(labels.disks);
        options.diskLabelsGiven = true;
    }

    Transcript transcript(transcriptPath);
    if (!transcript.IsOpen()) {
        std::fprintf(stderr, "e2e_driver: cannot write the transcript %s\n",
                     transcriptPath.c_str());
        return 2;
    }
    transcript.Line("scenario " + scenarioPath + ", " + std::to_string(scenario.steps.size()) +
                    " steps");
    Driver driver(options, transcript);
    return static_cast<int>(driver.Run(scenario));
}

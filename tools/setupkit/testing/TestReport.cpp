#include "testing/TestReport.h"

#include "testing/Lines.h"

#include <algorithm>
#include <cstdio>

std::string Thousands(std::uint64_t value) {
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += ',';
        }
        grouped += digits[i];
    }
    return grouped;
}

namespace {

void Section(std::string& out, const std::string& title, const std::vector<std::string>& lines,
             const char* marker) {
    if (lines.empty()) {
        return;
    }
    out += title + " (" + std::to_string(lines.size()) + "):\n";
    for (const std::string& line : lines) {
        out += std::string("  ") + marker + line + "\n";
    }
}

std::string FileLine(const ChangedFile& file) {
    return file.path + (file.size ? "  " + Thousands(*file.size) + " bytes" : std::string());
}

void DescribeDifference(std::string& out, const PrefixDifference& difference) {
    std::vector<std::string> added;
    std::uint64_t bytes = 0;
    for (const ChangedFile& file : difference.added) {
        added.push_back(FileLine(file));
        bytes += file.size.value_or(0);
    }
    std::vector<std::string> changed;
    for (const ChangedFile& file : difference.changed) {
        changed.push_back(FileLine(file));
    }
    if (!added.empty()) {
        out +=
            "Files added: " + std::to_string(added.size()) + ", " + Thousands(bytes) + " bytes\n";
        for (const std::string& line : added) {
            out += "  + " + line + "\n";
        }
    }
    Section(out, "Files changed", changed, "* ");
    Section(out, "Files removed", difference.removed, "- ");
    Section(out, "Start Menu items", difference.startMenu, "");
    Section(out, "Registry added", difference.registryAdded, "+ ");
    Section(out, "Registry removed", difference.registryRemoved, "- ");
    Section(out, "INI entries added", difference.iniAdded, "+ ");
    Section(out, "INI entries removed", difference.iniRemoved, "- ");
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

std::string VerdictLine(const char* what, const Verdict& verdict,
                        const std::optional<double>& seconds) {
    return std::string("  ") + what + ": " + (verdict.passed ? "PASSED" : "FAILED") +
           (seconds ? " in " + Seconds(*seconds) : std::string()) + ": " + verdict.summary + "\n";
}

void DescribeExpectation(std::string& out, const InstallExpectation& expectation) {
    out += "  Files: " + std::to_string(expectation.InstalledCount()) + " of " +
           std::to_string(expectation.files.size()) + " expected installed (" +
           expectation.selection + ")\n";
    for (const ExpectedFile& file : expectation.files) {
        if (!file.installed) {
            out += "    missing: " + file.path + "  " + Thousands(file.size) + " bytes\n";
        } else if (file.SizeDiffers()) {
            out += "    different in size: " + *file.installed + "  " +
                   Thousands(*file.installedSize) + " bytes, the script says " +
                   Thousands(file.size) + "\n";
        } else if (file.installedSize && *file.installedSize != file.size) {
            out += "    (" + *file.installed + "  " + Thousands(*file.installedSize) +
                   " bytes, copied with " + Thousands(file.size) +
                   ": the script's INI entries write to it)\n";
        }
    }
}

void DescribeLeftovers(std::string& out, const std::vector<Leftover>& leftovers) {
    const auto expected = static_cast<std::size_t>(std::count_if(
        leftovers.begin(), leftovers.end(), [](const Leftover& l) { return !l.expected.empty(); }));
    out += "  Left after the removal: ";
    if (leftovers.empty()) {
        out += "nothing\n";
        return;
    }
    out += std::to_string(leftovers.size()) + " (" + std::to_string(expected) + " expected, " +
           std::to_string(leftovers.size() - expected) + " not)\n";
    for (const Leftover& leftover : leftovers) {
        out += "    " + leftover.what + "  " +
               (leftover.expected.empty() ? "NOT EXPECTED" : "expected: " + leftover.expected) +
               "\n";
    }
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            // XML 1.0 allows no control characters but tab, line feed and carriage return.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                out += '?';
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string TestCase(const std::string& name, const Verdict& verdict, const std::string& output) {
    std::string xml = "  <testcase classname=\"setupkit.test\" name=\"" + Escaped(name) + "\">\n";
    if (!verdict.passed) {
        xml += "    <failure message=\"" + Escaped(verdict.summary) + "\"/>\n";
    }
    xml += "    <system-out>" + Escaped(output) + "</system-out>\n  </testcase>\n";
    return xml;
}

} // namespace

std::string ReportText(const TestOutcome& outcome) {
    std::string out = "setupkit test: " + outcome.product + " (" + outcome.description + ")\n";
    out += "scenario: " +
           (outcome.scenario.empty() ? std::string("autopilot (every page's and box's default)")
                                     : outcome.scenario) +
           "\nwork folder: " + outcome.work + "\n";
    for (const std::string& program : outcome.programs) {
        out += program + "\n";
    }

    const std::string overall =
        std::string(outcome.Passed() ? "PASSED" : "FAILED") + " in " + Seconds(outcome.seconds);
    out += "\nSummary: " + overall + "\n" +
           VerdictLine("Install", outcome.install, outcome.installSeconds);
    if (outcome.expectation) {
        DescribeExpectation(out, *outcome.expectation);
    }
    if (outcome.removal) {
        const RemovalOutcome& removal = *outcome.removal;
        out += VerdictLine("Uninstall", removal.verdict, removal.seconds);
        if (removal.ran) {
            DescribeLeftovers(out, removal.leftovers);
        }
    }

    out += "\nInstall transcript: " + outcome.transcript + "\n";
    if (!outcome.pictures.empty()) {
        out += "  pictures of what it showed (" + std::to_string(outcome.pictures.size()) + "):\n";
        for (const std::string& picture : outcome.pictures) {
            out += "    " + picture + "\n";
        }
    }
    out += "\nWhat the installation changed in the prefix:\n";
    if (outcome.changes.Empty()) {
        out += "  nothing\n";
    }
    DescribeDifference(out, outcome.changes);
    if (outcome.sharedItems > 0 && outcome.sharedCountsMissing) {
        out +=
            "Shared files: this prefix has no SharedDLLs key, so no counts were raised for the " +
            std::to_string(outcome.sharedItems) +
            " shared item(s): SETUP.EXE counts only where Windows keeps that key.\n";
    }
    // The log names each program item made; the shell may still have made no shortcut for it.
    std::size_t loggedItems = 0;
    for (std::size_t at = outcome.log.find("Created GroupItem"); at != std::string::npos;
         at = outcome.log.find("Created GroupItem", at + 1)) {
        ++loggedItems;
    }
    if (loggedItems > outcome.changes.startMenu.size()) {
        out += "Program items: the log names " + std::to_string(loggedItems) +
               " item(s), the Start Menu has " + std::to_string(outcome.changes.startMenu.size()) +
               " new shortcut(s): Wine's shell makes none for a command with arguments "
               "(give the program or the document alone).\n";
    }
    if (!outcome.logPath.empty()) {
        out += "\nInstall log " + outcome.logPath + ":\n";
        ForEachLine(outcome.log, [&](std::string_view line) {
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            out += "  | " + std::string(line) + "\n";
        });
    }
    if (outcome.removal && outcome.removal->ran) {
        const RemovalOutcome& removal = *outcome.removal;
        out += "\nUninstall command: " + removal.command + "\n  transcript: " + removal.transcript +
               "\n";
        out += "What remained after the removal (against the prefix before the install):\n";
        if (removal.remained.Empty()) {
            out += "  nothing\n";
        }
        DescribeDifference(out, removal.remained);
    }
    return out + "\n" + overall + "\n";
}

std::string JUnitXml(const TestOutcome& outcome) {
    const int tests = outcome.removal ? 2 : 1;
    const int failures = (outcome.install.passed ? 0 : 1) +
                         (outcome.removal && !outcome.removal->verdict.passed ? 1 : 0);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", outcome.seconds);
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuite name=\"" + Escaped("setupkit test " + outcome.product) + "\" tests=\"" +
           std::to_string(tests) + "\" failures=\"" + std::to_string(failures) + "\" time=\"" +
           seconds + "\">\n";
    const std::string report = ReportText(outcome);
    xml += TestCase("install", outcome.install, report);
    if (outcome.removal) {
        xml += TestCase("uninstall", outcome.removal->verdict, report);
    }
    return xml + "</testsuite>\n";
}

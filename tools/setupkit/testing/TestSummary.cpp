#include "testing/TestSummary.h"

#include "Cp1252.h"
#include "common/AsciiCase.h"
#include "engine/Accounting.h"
#include "script/PathMacros.h"
#include "testing/TestVerdict.h"
#include "ui/SetupTypeChoices.h"

#include <algorithm>
#include <set>

namespace {

std::string WindowsPath(const std::string& relative) {
    std::string path = "C:\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string FileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string Joined(std::string directory, std::string_view name) {
    if (!directory.empty() && directory.back() != '\\') {
        directory += '\\';
    }
    return directory + std::string(name);
}

// The folder of directory number `number` as a pattern: ?D is the destination; the other
// macros stay, standing for whatever folder the prefix gives them.
std::string DirectoryPattern(const SetupScript& script, std::uint32_t number,
                             const std::string& destination) {
    if (number == 0 || number > script.directories.size()) {
        return destination;
    }
    const std::string path = AnsiToUtf8(script.directories[number - 1].templatePath.View());
    if (number == 1) {
        return destination;
    }
    if (path.find('?') != std::string::npos) {
        const MacroValues macros{"?S", "?W", "?Y", destination, "?F"};
        return ExpandMacroText(path, macros);
    }
    // Without a macro or a drive: below the root of the destination's drive.
    std::string_view relative = path;
    if (relative.starts_with('\\')) {
        relative.remove_prefix(1);
    }
    if (relative.find(':') != std::string_view::npos) {
        return path;
    }
    const bool rooted = destination.size() >= 2 && destination[1] == ':';
    return (rooted ? destination.substr(0, 2) + "\\" : std::string("?R\\")) + std::string(relative);
}

struct FoundFile {
    std::string path;
    std::uint64_t size = 0;
    bool touched = false; // added or changed by the run
};

// The files after the run, by their upper-case name, for finding an item's file by pattern.
class PrefixFiles {
public:
    PrefixFiles(const std::map<std::string, std::uint64_t>& sizes,
                const PrefixDifference& changes) {
        std::set<std::string> touched;
        for (const auto* list : {&changes.added, &changes.changed}) {
            for (const ChangedFile& file : *list) {
                touched.insert(AsciiUpper(file.path));
            }
        }
        for (const auto& [relative, size] : sizes) {
            const std::string path = WindowsPath(relative);
            byName_[AsciiUpper(FileName(path))].push_back(
                {path, size, touched.contains(AsciiUpper(path))});
        }
    }

    // The file the pattern names; one the run added or changed before one it did not.
    const FoundFile* Find(const std::string& pattern) const {
        const auto candidates = byName_.find(AsciiUpper(FileName(pattern)));
        if (candidates == byName_.end()) {
            return nullptr;
        }
        const FoundFile* found = nullptr;
        for (const FoundFile& file : candidates->second) {
            if (MatchesScriptText(AsciiUpper(pattern), AsciiUpper(file.path)) &&
                (!found || (file.touched && !found->touched))) {
                found = &file;
            }
        }
        return found;
    }

private:
    std::map<std::string, std::vector<FoundFile>> byName_;
};

bool IsCopy(const InstallItem& item) {
    return static_cast<ItemAction>(item.action) == ItemAction::Copy;
}

std::string TypeName(const SetupScript& script, std::uint32_t type) {
    const FixedText& label = type == kSetupMinimal  ? script.minimalLabel
                             : type == kSetupCustom ? script.customLabel
                                                    : script.typicalLabel;
    const char* name = type == kSetupMinimal  ? "Minimal"
                       : type == kSetupCustom ? "Custom"
                                              : "Typical";
    return label.View().empty() ? name : AnsiToUtf8(label.View());
}

// The autopilot's choice: Next on the setup type page as it opens, or on the custom page with
// every component ticked when only Custom is offered.
std::string SelectDefault(SetupScript& script) {
    const OfferedTypes offered{script.typicalOffered != 0, script.minimalOffered != 0,
                               script.customOffered != 0};
    std::uint32_t type = kSetupTypical;
    if (offered.typical || offered.minimal) {
        type = InitialSetupChoice(kSetupTypical, offered);
    } else if (offered.custom) {
        type = kSetupCustom;
    }
    ApplySetupType(script, type);
    return TypeName(script, type) + ", the autopilot's default setup type" +
           (type == kSetupCustom ? " (every component)" : "");
}

// After a scenario: the components whose files the run added or changed.
std::string SelectInstalled(SetupScript& script, const std::vector<std::string>& patterns,
                            const PrefixFiles& files) {
    std::string chosen;
    ResetInstallCounts(script);
    for (const Component& component : script.components) {
        const bool installed =
            std::any_of(component.files.begin(), component.files.end(), [&](std::uint32_t index) {
                const FoundFile* file = IsCopy(script.installItems.at(index))
                                            ? files.Find(patterns.at(index))
                                            : nullptr;
                return file && file->touched;
            });
        if (installed) {
            for (const std::uint32_t index : component.files) {
                ++script.installItems.at(index).installCount;
            }
            chosen += (chosen.empty() ? "" : ", ") + AnsiToUtf8(component.name.View());
        }
    }
    return "the components whose files the run installed: " + (chosen.empty() ? "none" : chosen);
}

} // namespace

std::size_t InstallExpectation::InstalledCount() const {
    return static_cast<std::size_t>(std::count_if(
        files.begin(), files.end(), [](const ExpectedFile& file) { return file.installed; }));
}

InstallExpectation ExpectInstall(const SetupScript& compiled, bool autopilot,
                                 const std::string& destination,
                                 const std::map<std::string, std::uint64_t>& sizes,
                                 const PrefixDifference& changes) {
    SetupScript script = compiled;
    const std::string target = destination.empty() && !script.directories.empty()
                                   ? AnsiToUtf8(script.directories.front().templatePath.View())
                                   : destination;
    const PrefixFiles files(sizes, changes);
    std::vector<std::string> patterns;
    for (const InstallItem& item : script.installItems) {
        patterns.push_back(
            Joined(DirectoryPattern(script, item.dirIndex, target), AnsiToUtf8(item.name.View())));
    }
    std::set<std::string> iniFiles;
    for (const IniEntry& entry : script.iniEntries) {
        iniFiles.insert(AsciiUpper(FileName(AnsiToUtf8(entry.file.View()))));
    }

    InstallExpectation expectation;
    if (script.components.empty()) {
        expectation.selection = "every item (the script has no components)";
    } else {
        expectation.selection =
            autopilot ? SelectDefault(script) : SelectInstalled(script, patterns, files);
    }
    for (std::size_t i = 0; i < script.installItems.size(); ++i) {
        const InstallItem& item = script.installItems[i];
        if (!IsCopy(item) || !IsItemSelected(item)) {
            continue;
        }
        ExpectedFile expected;
        expected.path = patterns[i];
        expected.size = item.size;
        expected.writtenAfterCopy = iniFiles.contains(AsciiUpper(FileName(patterns[i])));
        if (const FoundFile* file = files.Find(patterns[i])) {
            expected.installed = file->path;
            expected.installedSize = file->size;
        }
        expectation.files.push_back(std::move(expected));
    }
    return expectation;
}

std::vector<Leftover> JudgeLeftovers(const PrefixDifference& remained,
                                     std::string_view uninstallCommand) {
    // The command is not quoted: the program ends at ".EXE".
    const std::string command = AsciiUpper(uninstallCommand);
    const std::size_t exe = command.find(".EXE");
    const std::string uninstaller =
        exe == std::string::npos ? std::string() : command.substr(0, exe + 4);
    const std::string uninstallerName = FileName(uninstaller);

    std::vector<Leftover> leftovers;
    for (const ChangedFile& file : remained.added) {
        leftovers.push_back(
            {"+ " + file.path, !uninstaller.empty() && AsciiUpper(file.path) == uninstaller
                                   ? "the uninstaller stays for other products"
                                   : ""});
    }
    for (const ChangedFile& file : remained.changed) {
        leftovers.push_back({"* " + file.path, ""});
    }
    for (const std::string& path : remained.removed) {
        leftovers.push_back({"- " + path, ""});
    }
    for (const std::string& entry : remained.registryAdded) {
        const std::string key = AsciiUpper(entry.substr(0, entry.find(": ")));
        std::string why;
        if (key == "HKEY_LOCAL_MACHINE\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\SHAREDDLLS" &&
            !uninstallerName.empty() &&
            AsciiUpper(entry).find("\\\\" + uninstallerName + "\"") != std::string::npos) {
            why = "the uninstaller's SharedDLLs count, which stays with it";
        } else if ((key + "\\")
                       .starts_with("HKEY_CURRENT_USER\\SOFTWARE\\MICROSOFT\\WINDOWS\\"
                                    "CURRENTVERSION\\EXPLORER\\")) {
            why = "Wine's shell keeps its settings there when it shows a folder";
        }
        leftovers.push_back({"+ " + entry, why});
    }
    for (const std::string& entry : remained.registryRemoved) {
        leftovers.push_back({"- " + entry, ""});
    }
    for (const std::string& entry : remained.iniAdded) {
        leftovers.push_back({"+ " + entry, ""});
    }
    for (const std::string& entry : remained.iniRemoved) {
        leftovers.push_back({"- " + entry, ""});
    }
    return leftovers;
}

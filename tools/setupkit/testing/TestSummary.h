#pragma once

#include "script/ScriptModel.h"
#include "testing/PrefixDifference.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The judgements at the head of a `setupkit test` report: the files the run should have
// installed against those it did, and what a removal left, each leftover expected or not.

// A Copy item of the compiled script that the run selected, and the file found for it.
struct ExpectedFile {
    std::string path; // where it goes; a macro other than ?D (?W, ?F, ...) stands for its folder
    std::uint64_t size = 0;                     // the script's size
    std::optional<std::string> installed;       // the file found, as Windows shows it
    std::optional<std::uint64_t> installedSize; //
    bool writtenAfterCopy = false;              // an INI entry of the script writes to it

    [[nodiscard]] bool SizeDiffers() const {
        return installedSize && *installedSize != size && !writtenAfterCopy;
    }
};

struct InstallExpectation {
    std::string selection; // which items: the setup type, or the components chosen
    std::vector<ExpectedFile> files;

    [[nodiscard]] std::size_t InstalledCount() const;
};

// The items the run selected: with the autopilot those of the default setup type (the first
// offered of Typical and Minimal, else Custom with every component); after a scenario those of
// the components whose files the run added or changed, beside the items of no component.
// destination is the chosen destination directory (empty when unknown: the script's own);
// sizes holds every file of drive C: after the run ("Program Files/App/A.EXE"), changes what
// the run added and changed. Script texts are Windows-1252, the result UTF-8.
[[nodiscard]] InstallExpectation ExpectInstall(const SetupScript& script, bool autopilot,
                                               const std::string& destination,
                                               const std::map<std::string, std::uint64_t>& sizes,
                                               const PrefixDifference& changes);

// One thing the prefix held after the removal that it did not before the install.
struct Leftover {
    std::string what;     // "+ C:\WINDOWS\KXUN32.EXE", "+ HKEY_...", "* changed", "- gone"
    std::string expected; // why it stays, empty when it should not have
};

// The uninstaller named by uninstallCommand stays, with its SharedDLLs count, for other
// products; Wine's shell writes its own settings when it shows a group's folder. Everything
// else the removal should have taken away.
[[nodiscard]] std::vector<Leftover> JudgeLeftovers(const PrefixDifference& remained,
                                                   std::string_view uninstallCommand);

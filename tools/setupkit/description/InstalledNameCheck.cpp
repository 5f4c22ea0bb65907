#include "InstalledNameCheck.h"

#include "Cp1252.h"
#include "WindowsNames.h"

#include <algorithm>

namespace {

// Control characters shown as '?', so that a message stays on one line.
std::string Printable(std::string_view text) {
    std::string shown(text);
    std::replace_if(
        shown.begin(), shown.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; },
        '?');
    return shown;
}

// WHAT "NAME" (line N)
std::string Located(std::string_view what, std::string_view name, std::uint32_t line) {
    return std::string(what) + " \"" + Printable(name) + "\" (line " + std::to_string(line) + ")";
}

} // namespace

void InstalledNameCheck::NoteItem(std::string_view what, std::string_view name, std::uint32_t line,
                                  std::string field, bool verbatim, std::string spelling,
                                  const std::optional<std::string>& problem) {
    Item item{Located(what, name, line), line, std::move(field), verbatim, std::move(spelling)};
    if (problem) {
        faults_.push_back({line, item.field, item.located + ' ' + *problem, verbatim});
    }
    items_.push_back(std::move(item));
}

void InstalledNameCheck::NoteFolder(std::string_view name, std::uint32_t line, std::string field,
                                    const std::string& problem) {
    faults_.push_back(
        {line, std::move(field), Located("tree folder", name, line) + ' ' + problem, false});
}

InstalledNameCheck::Outcome InstalledNameCheck::Finish(const SetupScript& script,
                                                       const std::string& fileName) const {
    std::vector<Fault> faults = faults_;
    std::vector<std::string> spellings;
    for (const Item& item : items_) {
        spellings.push_back(item.spelling);
    }
    for (const auto& [first, later] : CaseCollisions(script, spellings)) {
        const Item& a = items_[first];
        const Item& b = items_[later];
        const std::uint8_t directory = script.installItems[later].dirIndex;
        const std::string folder =
            directory >= 1 && directory <= script.directories.size()
                ? AnsiToUtf8(script.directories[directory - 1].templatePath.Str())
                : "directory " + std::to_string(directory);
        faults.push_back({b.line, b.field,
                          a.located + " and " + b.located + " land in one folder, " +
                              Printable(folder) +
                              ", under names equal but for case: one would replace the other",
                          a.verbatim && b.verbatim});
    }
    std::stable_sort(faults.begin(), faults.end(),
                     [](const Fault& a, const Fault& b) { return a.line < b.line; });
    const std::string rule = "file names that Windows cannot take as they are: ";
    Outcome outcome;
    for (const Fault& fault : faults) {
        std::optional<SourceError>& error = fault.verbatim ? outcome.kept : outcome.refused;
        if (!error) {
            error = SourceError{fileName, fault.line, fault.field, rule + fault.text};
        } else {
            error->problem += "; " + fault.text;
        }
    }
    if (outcome.kept) {
        outcome.kept->problem += " (marked verbatim)";
    }
    return outcome;
}

#include "integration/ProgramGroups.h"

#include "common/AsciiCase.h"
#include "integration/InstallLog.h"
#include "integration/ProgramManager.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"
#include "resources/TextFormat.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kTextCapacity = 256;

// The command texts are formatted as they stand: a name with a comma or a parenthesis goes to
// the program manager unchanged, without quoting.
template <typename... Texts> std::string FormatCommand(const char* format, const Texts&... texts) {
    return FormatWithTexts(format, {std::string_view(texts)...});
}

void AddGroupItems(const SetupScript& script, InstallLog& log, RemovalRecord& record,
                   std::size_t groupNumber, const std::string& itemEntry) {
    for (const ProgramItem& item : script.programItems) {
        if (item.groupNumber != groupNumber) {
            continue;
        }
        ProgmanExecute(FormatCommand("[DeleteItem(\"%s\")]", item.name.CStr()).c_str(),
                       kProgmanItemTimeoutMs);
        ProgmanExecute(FormatCommand("[AddItem(%s,%s,%s,%d,-1,-1,%s)]", item.commandLine.CStr(),
                                     item.name.CStr(), item.iconPath.CStr(),
                                     std::to_string(static_cast<int>(item.iconIndex)),
                                     item.workingDirectory.CStr())
                           .c_str(),
                       kProgmanItemTimeoutMs);
        log.Line("\t" + itemEntry + " " + item.name.Str());
        record.items.push_back(
            {std::string(TextOf(script.programGroups[groupNumber - 1])), item.name.Str()});
    }
}

bool HasGroup(const std::vector<std::string>& names, const std::string& name) {
    return std::ranges::any_of(
        names, [&](const std::string& existing) { return SameAsciiText(existing, name); });
}

} // namespace

void CreateProgramGroups(const SetupScript& script, InstallLog& log, RemovalRecord& record,
                         HWND owner) {
    if (ProgmanConnect(owner)) {
        const std::vector<std::string> existing = ProgmanGroupNames();
        const std::string groupEntry = LoadResourceText(IDS_LOG_CREATED_GROUP, kTextCapacity);
        const std::string itemEntry = LoadResourceText(IDS_LOG_CREATED_GROUP_ITEM, kTextCapacity);
        const std::vector<TextBlock>& groups = script.programGroups;
        for (std::size_t position = 0; position < groups.size(); ++position) {
            const std::string name(TextOf(groups[position]));
            ProgmanExecute(FormatCommand("[CreateGroup(%s)]", name.c_str()).c_str(),
                           kProgmanGroupTimeoutMs);
            log.Line(groupEntry + " " + name);
            record.groups.push_back({name, !HasGroup(existing, name)});
            // The group's window opens on the desktop, so the desktop is shown first.
            ShowWindow(GetDesktopWindow(), SW_SHOW);
            ProgmanExecute(FormatCommand("[ShowGroup(%s,1)]", name.c_str()).c_str(),
                           kProgmanGroupTimeoutMs);
            AddGroupItems(script, log, record, position + 1, itemEntry);
        }
    }
    ProgmanClose();
}

#include "uninstall/GroupRemoval.h"

#include "common/Win32Handles.h"
#include "engine/PathRules.h"
#include "integration/ProgramManager.h"
#include "uninstall/FillIn.h"

#include <shlobj.h>

#include <optional>
#include <string>

namespace {

// The folders the shell keeps a group's items in: the user's and everybody's.
std::vector<std::string> GroupFolders(const std::string& group) {
    std::vector<std::string> folders;
    for (int folder : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
        char path[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) {
            const std::string groupFolder = JoinPath(path, group);
            if (GetFileAttributesA(groupFolder.c_str()) != INVALID_FILE_ATTRIBUTES) {
                folders.push_back(groupFolder);
            }
        }
    }
    return folders;
}

bool FolderIsEmpty(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    UniqueFind search(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!search) {
        return true;
    }
    do {
        const std::string_view name = found.cFileName;
        if (name != "." && name != "..") {
            return false;
        }
    } while (FindNextFileA(search.get(), &found));
    return true;
}

HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// Whether the program manager takes a conversation, asked without telling the user anything.
bool ProgmanAnswers() {
    DWORD id = 0;
    if (DdeInitializeA(&id, IgnoreDdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        return false;
    }
    const UniqueDdeInstance instance(id);
    HSZ service = DdeCreateStringHandleA(id, "PROGMAN", CP_WINANSI);
    const UniqueDdeConversation conversation(DdeConnect(id, service, service, nullptr));
    DdeFreeStringHandle(id, service);
    return static_cast<bool>(conversation);
}

// Closes the conversation whatever happens.
struct ProgmanConversation {
    ~ProgmanConversation() { ProgmanClose(); }
};

} // namespace

std::vector<KeptObject> RemoveProgramGroups(std::span<const GroupRemoval> removals, HWND owner,
                                            bool mayTell) {
    std::vector<KeptObject> kept;
    if (removals.empty()) {
        return kept;
    }
    ProgmanConversation conversation;
    if ((!mayTell && !ProgmanAnswers()) || !ProgmanConnect(owner)) {
        for (const GroupRemoval& removal : removals) {
            kept.push_back(
                {removal.item.empty() ? removal.group : removal.group + "\\" + removal.item,
                 KeptReason::NoProgramManager, 0});
        }
        return kept;
    }
    std::optional<std::string> current;
    for (const GroupRemoval& removal : removals) {
        const std::vector<std::string> folders = GroupFolders(removal.group);
        if (folders.empty()) {
            continue; // the group is gone already
        }
        if (!removal.item.empty()) {
            if (current != removal.group) {
                ProgmanExecute(FillIn("[CreateGroup(\"%s\")]", {removal.group}).c_str(),
                               kProgmanGroupTimeoutMs);
                current = removal.group;
            }
            ProgmanExecute(FillIn("[DeleteItem(\"%s\")]", {removal.item}).c_str(),
                           kProgmanItemTimeoutMs);
            continue;
        }
        bool empty = true;
        for (const std::string& folder : folders) {
            empty = empty && FolderIsEmpty(folder);
        }
        if (!empty) {
            kept.push_back({removal.group, KeptReason::GroupNotEmpty, 0});
            continue;
        }
        ProgmanExecute(FillIn("[DeleteGroup(\"%s\")]", {removal.group}).c_str(),
                       kProgmanGroupTimeoutMs);
        current.reset();
    }
    return kept;
}

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

// Closes the conversation whatever happens.
struct ProgmanConversation {
    ~ProgmanConversation() { ProgmanClose(); }
};

} // namespace

std::vector<KeptObject> RemoveProgramGroups(std::span<const UndoStep> steps, HWND owner) {
    std::vector<KeptObject> kept;
    if (steps.empty()) {
        return kept;
    }
    ProgmanConversation conversation;
    if (!ProgmanConnect(owner)) {
        for (const UndoStep& step : steps) {
            kept.push_back({step.kind == UndoStepKind::DeleteGroup ? step.group
                                                                   : step.group + "\\" + step.name,
                            KeptReason::NoProgramManager, 0});
        }
        return kept;
    }
    std::optional<std::string> current;
    for (const UndoStep& step : steps) {
        const std::vector<std::string> folders = GroupFolders(step.group);
        if (folders.empty()) {
            continue; // the group is gone already
        }
        if (step.kind == UndoStepKind::DeleteGroupItem) {
            if (current != step.group) {
                ProgmanExecute(FillIn("[CreateGroup(%s)]", {step.group}).c_str(),
                               kProgmanGroupTimeoutMs);
                current = step.group;
            }
            ProgmanExecute(FillIn("[DeleteItem(\"%s\")]", {step.name}).c_str(),
                           kProgmanItemTimeoutMs);
            continue;
        }
        bool empty = true;
        for (const std::string& folder : folders) {
            empty = empty && FolderIsEmpty(folder);
        }
        if (!empty) {
            kept.push_back({step.group, KeptReason::GroupNotEmpty, 0});
            continue;
        }
        ProgmanExecute(FillIn("[DeleteGroup(%s)]", {step.group}).c_str(), kProgmanGroupTimeoutMs);
        current.reset();
    }
    return kept;
}

#include "integration/UndoPlan.h"

#include "engine/ItemPaths.h"
#include "engine/PathRules.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

std::string_view WithoutTrailingBackslash(std::string_view path) {
    while (path.size() > 1 && path.back() == '\\' && !(path.size() == 3 && path[1] == ':')) {
        path.remove_suffix(1);
    }
    return path;
}

std::size_t Depth(std::string_view path) {
    return static_cast<std::size_t>(std::ranges::count(WithoutTrailingBackslash(path), '\\'));
}

bool IsSharedFile(const SetupScript& script, std::string_view path) {
    return std::ranges::any_of(script.installItems, [&](const InstallItem& item) {
        return item.shared && static_cast<ItemAction>(item.action) == ItemAction::Copy &&
               SamePathText(ItemDestinationPath(script, item), path);
    });
}

// Deepest first by the text that member holds; the same depth keeps its order (already the
// reverse of the log).
void DeepestFirst(std::vector<UndoStep>& steps, std::string UndoStep::*member) {
    std::ranges::stable_sort(steps, std::greater<>{},
                             [&](const UndoStep& step) { return Depth(step.*member); });
}

// A drive's root ("C:\") or a share's ("\\server\share"): never removed.
bool IsVolumeRoot(std::string_view path) {
    if (path.starts_with("\\\\")) {
        return std::ranges::count(path.substr(2), '\\') <= 1;
    }
    return Depth(path) == 0 || path.ends_with('\\');
}

bool SameKey(const UndoStep& a, const UndoStep& b) {
    return a.root == b.root && SamePathText(a.subKey, b.subKey);
}

// The key, and the keys its path passes through down from the second level: creating a key
// creates its missing parents, so they go too when the removal leaves them empty. A root's
// direct sub-keys (Software, Classes, ...) are never among them.
void AddKeyWithParents(std::vector<UndoStep>& keys, UndoStep step) {
    for (;;) {
        if (std::ranges::none_of(keys, [&](const UndoStep& key) { return SameKey(key, step); })) {
            keys.push_back(step);
        }
        const std::size_t cut = step.subKey.rfind('\\');
        if (cut == std::string::npos || step.subKey.find('\\') == cut) {
            return;
        }
        step.subKey.resize(cut);
    }
}

} // namespace

UndoPlan MakeUndoPlan(const InstallLogRecord& log, const SetupScript& script,
                      std::string_view scriptPath, std::string_view logFileName) {
    UndoPlan plan;
    if (!log.refusal.empty()) {
        plan.refusal = log.refusal;
        return plan;
    }
    if (!IsAbsolutePath(scriptPath)) {
        plan.refusal = "the script's path is not absolute";
        return plan;
    }
    if (log.productName != script.productName.View()) {
        plan.refusal = "the log is not the script's: it was written for " + log.productName;
        return plan;
    }
    const std::string destination(WithoutTrailingBackslash(DirectoryPart(scriptPath)));

    std::vector<UndoStep> ini, values, keys, items, groups, files, directories;
    for (auto line = log.lines.rbegin(); line != log.lines.rend(); ++line) {
        UndoStep step;
        step.line = line->number;
        switch (line->kind) {
        case LogLineKind::Date:
        case LogLineKind::Blank:
            continue;
        case LogLineKind::DeletedFile:
        case LogLineKind::Unknown:
        case LogLineKind::Refused:
            plan.reported.push_back(*line);
            continue;
        case LogLineKind::IniEntry:
            // An empty key or value removed something at installation: nothing to take back.
            if (line->name.empty() || line->value.empty()) {
                plan.reported.push_back(*line);
                continue;
            }
            step.kind = UndoStepKind::RemoveIniKey;
            step.path = line->path;
            step.section = line->section;
            step.name = line->name;
            ini.push_back(std::move(step));
            continue;
        case LogLineKind::RegistryValue:
            step.kind = UndoStepKind::DeleteRegistryValue;
            step.root = line->root;
            step.subKey = line->subKey;
            step.name = line->name;
            values.push_back(std::move(step));
            continue;
        case LogLineKind::RegistryKey:
            // A root is never deleted; its values are.
            if (line->subKey.empty()) {
                continue;
            }
            step.kind = UndoStepKind::DeleteRegistryKey;
            step.root = line->root;
            step.subKey = line->subKey;
            AddKeyWithParents(keys, std::move(step));
            continue;
        case LogLineKind::CreatedGroupItem:
            step.kind = UndoStepKind::DeleteGroupItem;
            step.group = line->group;
            step.name = line->name;
            items.push_back(std::move(step));
            continue;
        case LogLineKind::CreatedGroup:
            step.kind = UndoStepKind::DeleteGroup;
            step.group = line->group;
            groups.push_back(std::move(step));
            continue;
        case LogLineKind::CopiedFile:
            // The script copy is needed to the end: its own step comes last.
            if (SamePathText(line->path, scriptPath)) {
                continue;
            }
            step.kind = IsSharedFile(script, line->path) ? UndoStepKind::LowerSharedCount
                                                         : UndoStepKind::DeleteFile;
            step.path = line->path;
            files.push_back(std::move(step));
            continue;
        case LogLineKind::CreatedDirectory:
            // The destination itself goes last, after the log and the script copy in it.
            if (SamePathText(WithoutTrailingBackslash(line->path), destination)) {
                continue;
            }
            step.kind = UndoStepKind::RemoveDirectory;
            step.path = line->path;
            directories.push_back(std::move(step));
            continue;
        }
    }
    DeepestFirst(keys, &UndoStep::subKey);
    DeepestFirst(directories, &UndoStep::path);

    for (std::vector<UndoStep>* part :
         {&ini, &values, &keys, &items, &groups, &files, &directories}) {
        std::ranges::move(*part, std::back_inserter(plan.steps));
    }

    if (!script.uninstallName.View().empty()) {
        UndoStep entry;
        entry.kind = UndoStepKind::DeleteUninstallEntry;
        entry.root = RegistryRoot::LocalMachine;
        entry.subKey = JoinPath(kUninstallKey, script.productName.View());
        plan.steps.push_back(std::move(entry));
    }
    UndoStep logFile;
    logFile.kind = UndoStepKind::DeleteLog;
    logFile.path = JoinPath(destination, logFileName);
    plan.steps.push_back(std::move(logFile));

    UndoStep scriptCopy;
    scriptCopy.kind = UndoStepKind::DeleteScriptCopy;
    scriptCopy.path = std::string(scriptPath);
    plan.steps.push_back(std::move(scriptCopy));

    if (!IsVolumeRoot(destination)) {
        UndoStep directory;
        directory.kind = UndoStepKind::RemoveDestination;
        directory.path = destination;
        plan.steps.push_back(std::move(directory));
    }
    return plan;
}

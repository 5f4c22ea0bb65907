#include "integration/UndoPlan.h"

#include "common/AsciiCase.h"
#include "common/IndexSort.h"
#include "integration/Sha256.h"

#include <algorithm>
#include <functional>

namespace {

std::size_t Depth(std::string_view path) {
    return static_cast<std::size_t>(std::ranges::count(WithoutTrailingBackslash(path), '\\'));
}

// Indices 0..count-1, last first.
std::vector<std::size_t> Reversed(std::size_t count) {
    std::vector<std::size_t> indices(count);
    for (std::size_t i = 0; i < count; ++i) {
        indices[i] = count - 1 - i;
    }
    return indices;
}

// The indices of paths with these depths, the deepest first; of the same depth, the last
// first.
std::vector<std::size_t> DeepestFirst(const std::vector<std::size_t>& depths) {
    std::vector<std::size_t> indices = Reversed(depths.size());
    SortIndices(indices, [&](std::size_t a, std::size_t b) {
        return depths[a] != depths[b] ? depths[a] > depths[b] : a > b;
    });
    return indices;
}

template <typename Texts, typename Text>
std::vector<std::size_t> DeepestFirst(const Texts& texts, Text text) {
    std::vector<std::size_t> depths;
    depths.reserve(texts.size());
    for (const auto& entry : texts) {
        depths.push_back(Depth(text(entry)));
    }
    return DeepestFirst(depths);
}

} // namespace

bool IsUninstallEntryKey(const RecordedKey& key) {
    return key.root == RegistryRoot::LocalMachine && IsInside(key.subKey, kUninstallKeyPath);
}

std::string PlanSignature(const UndoPlan& plan) {
    std::string steps;
    for (const UndoStep& step : plan.steps) {
        steps +=
            std::to_string(static_cast<int>(step.kind)) + ":" + std::to_string(step.index) + ";";
    }
    return Sha256Hex(steps).substr(0, 16);
}

bool IsSafeGroupName(std::string_view name) {
    return !name.empty() && !HasControlCharacter(name) &&
           name.find_first_of("\"[](),") == std::string_view::npos;
}

UndoPlan MakeUndoPlan(const RemovalRecord& record, std::string_view destination) {
    UndoPlan plan;
    const auto add = [&](UndoStepKind kind, std::size_t index) {
        plan.steps.push_back({kind, index});
    };
    // A path the removal may touch: absolute, and on the destination's share when it names one.
    const auto usable = [&](const std::string& path) {
        const std::string share = ShareOf(path);
        if (IsAbsolutePath(path) && (share.empty() || share == ShareOf(destination))) {
            return true;
        }
        plan.refused.push_back(path + " (not a full local path)");
        return false;
    };

    // An INI file the installation copied goes or stays whole, by the file's own rule: its
    // keys are not undone one by one, which would make it differ from what was installed.
    const auto installedFile = [&](const std::string& path) {
        return std::ranges::any_of(record.files, [&](const RecordedFile& file) {
            return file.copied && !file.existedBefore && SamePath(file.path, path);
        });
    };
    for (const std::size_t i : Reversed(record.iniKeys.size())) {
        const RecordedIniKey& key = record.iniKeys[i];
        if (!key.key.empty() && !key.section.empty() && !installedFile(key.file)) {
            add(UndoStepKind::RestoreIniKey, i);
        }
    }
    for (const std::size_t i : Reversed(record.values.size())) {
        add(UndoStepKind::RestoreRegistryValue, i);
    }
    for (const std::size_t i :
         DeepestFirst(record.keys, [](const RecordedKey& key) { return key.subKey; })) {
        // The keys above a nested uninstall entry go with the entry, last.
        const RecordedKey& key = record.keys[i];
        if (!WithoutTrailingBackslash(key.subKey).empty() && !IsUninstallEntryKey(key)) {
            add(UndoStepKind::DeleteCreatedKey, i);
        }
    }
    for (const std::size_t i : Reversed(record.items.size())) {
        const RecordedItem& item = record.items[i];
        if (IsSafeGroupName(item.group) && IsSafeGroupName(item.name)) {
            add(UndoStepKind::DeleteGroupItem, i);
        } else {
            plan.refused.push_back(item.group + "\\" + item.name + " (an unsafe name)");
        }
    }
    for (const std::size_t i : Reversed(record.groups.size())) {
        const RecordedGroup& group = record.groups[i];
        if (!group.created) {
            continue;
        }
        if (IsSafeGroupName(group.name)) {
            add(UndoStepKind::DeleteGroup, i);
        } else {
            plan.refused.push_back(group.name + " (an unsafe name)");
        }
    }
    for (const std::size_t i : Reversed(record.sharedCounts.size())) {
        add(UndoStepKind::LowerSharedCount, i);
    }
    std::optional<std::size_t> scriptCopy;
    for (const std::size_t i : Reversed(record.files.size())) {
        const RecordedFile& file = record.files[i];
        // A file the installation found and kept is recorded so that other products' removals
        // leave it alone; when neither a count nor another product accounted for it, it was
        // nobody's, and stays.
        if ((!file.copied && file.existedBefore) || !usable(file.path)) {
            continue;
        }
        if (file.existedBefore && !IsInside(file.path, destination)) {
            plan.filesThatExistedBefore.push_back(i);
        } else if (SamePath(file.path, record.scriptPath)) {
            scriptCopy = i;
        } else {
            add(UndoStepKind::RemoveFile, i);
        }
    }
    if (!record.logPath.empty() && usable(record.logPath)) {
        add(UndoStepKind::DeleteLog, 0);
    }
    if (scriptCopy) {
        add(UndoStepKind::RemoveFile, *scriptCopy);
    }
    add(UndoStepKind::DeleteRecord, 0);
    for (const std::size_t i : DeepestFirst(record.directories, std::identity{})) {
        if (usable(record.directories[i]) && !IsVolumeRoot(record.directories[i])) {
            add(UndoStepKind::RemoveCreatedDirectory, i);
        }
    }
    if (!IsVolumeRoot(destination)) {
        add(UndoStepKind::RemoveDestination, 0);
    }
    add(UndoStepKind::DeleteUninstallEntry, 0);
    return plan;
}

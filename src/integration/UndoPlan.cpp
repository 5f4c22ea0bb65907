#include "integration/UndoPlan.h"

#include "common/AsciiCase.h"

#include <algorithm>
#include <functional>

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

bool HasControlCharacter(std::string_view text) {
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// A drive's root ("C:\") or a share's ("\\server\share"): never removed.
bool IsVolumeRoot(std::string_view path) {
    path = WithoutTrailingBackslash(path);
    if (path.starts_with("\\\\")) {
        return std::ranges::count(path.substr(2), '\\') <= 1;
    }
    return Depth(path) == 0 || path.ends_with('\\');
}

// Indices 0..count-1, last first.
std::vector<std::size_t> Reversed(std::size_t count) {
    std::vector<std::size_t> indices(count);
    for (std::size_t i = 0; i < count; ++i) {
        indices[i] = count - 1 - i;
    }
    return indices;
}

// The indices of texts, last first, then the deepest first (the same depth keeps that order).
template <typename Texts, typename Text>
std::vector<std::size_t> DeepestFirst(const Texts& texts, Text text) {
    std::vector<std::size_t> indices = Reversed(texts.size());
    std::ranges::stable_sort(indices, std::greater<>{},
                             [&](std::size_t i) { return Depth(text(texts[i])); });
    return indices;
}

} // namespace

bool IsAbsolutePath(std::string_view path) {
    std::string_view rest;
    if (path.size() >= 3 &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
        path[1] == ':' && path[2] == '\\') {
        rest = path.substr(3);
    } else if (path.starts_with("\\\\")) {
        // "\\server\share": both names present; "\\?\" and "\\.\" reach devices, not shares.
        rest = path.substr(2);
        const std::size_t server = rest.find('\\');
        if (server == 0 || server == std::string_view::npos || server + 1 == rest.size() ||
            rest[server + 1] == '\\' || rest.substr(0, server) == "?" ||
            rest.substr(0, server) == ".") {
            return false;
        }
    } else {
        return false;
    }
    if (HasControlCharacter(path)) {
        return false;
    }
    // No component may lead out of the place the path names.
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\\/");
        const std::string_view component = rest.substr(0, end);
        if (component == "." || component == "..") {
            return false;
        }
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return true;
}

std::string ComparablePath(std::string_view path) {
    std::string comparable;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && i >= 2 && comparable.ends_with('\\')) {
            continue;
        }
        comparable += AsciiUpper(path[i]);
    }
    return comparable;
}

bool SamePath(std::string_view a, std::string_view b) {
    return ComparablePath(a) == ComparablePath(b);
}

bool IsInside(std::string_view path, std::string_view directory) {
    const std::string inner = ComparablePath(path);
    std::string outer = ComparablePath(WithoutTrailingBackslash(directory));
    if (outer.empty() || outer.ends_with('\\')) {
        return !outer.empty() && inner.size() > outer.size() && inner.starts_with(outer);
    }
    outer += '\\';
    return inner.size() > outer.size() && inner.starts_with(outer);
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
        const bool foreignShare = path.starts_with("\\\\") &&
                                  !IsInside(path, destination.substr(0, destination.find('\\', 2)));
        if (IsAbsolutePath(path) && !foreignShare) {
            return true;
        }
        plan.refused.push_back(path + " (not a full local path)");
        return false;
    };

    // An INI file the installation copied goes or stays whole, by the file's own rule: its
    // keys are not undone one by one, which would make it differ from what was installed.
    const auto installedFile = [&](const std::string& path) {
        return std::ranges::any_of(record.files, [&](const RecordedFile& file) {
            return !file.existedBefore && SamePath(file.path, path);
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
        if (!WithoutTrailingBackslash(record.keys[i].subKey).empty()) {
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
        if (!usable(file.path)) {
            continue;
        }
        if (file.existedBefore && !IsInside(file.path, destination)) {
            plan.filesThatExistedBefore.push_back(i);
        } else if (SamePath(file.path, record.scriptPath)) {
            scriptCopy = i;
        } else {
            add(UndoStepKind::DeleteFile, i);
        }
    }
    if (!record.logPath.empty() && usable(record.logPath)) {
        add(UndoStepKind::DeleteLog, 0);
    }
    if (scriptCopy) {
        add(UndoStepKind::DeleteFile, *scriptCopy);
    }
    add(UndoStepKind::DeleteRecord, 0);
    for (const std::size_t i : DeepestFirst(record.directories, std::identity{})) {
        if (usable(record.directories[i]) && !IsVolumeRoot(record.directories[i])) {
            add(UndoStepKind::RemoveDirectory, i);
        }
    }
    add(UndoStepKind::DeleteUninstallEntry, 0);
    return plan;
}

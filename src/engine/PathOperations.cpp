#include "engine/PathOperations.h"

#include "script/SetupError.h"

#include <windows.h>

std::optional<std::string> PlatformFullPath(std::string_view path, std::size_t capacity) {
    const std::string input(path);
    std::string full(capacity, '\0');
    char* filePart = nullptr;
    const DWORD length =
        GetFullPathNameA(input.c_str(), static_cast<DWORD>(capacity), full.data(), &filePart);
    // A result of capacity or more is the size the buffer would need: nothing was written.
    if (length == 0 || length >= capacity) {
        return std::nullopt;
    }
    full.resize(length);
    return full;
}

std::string FileNamePart(std::string_view path) {
    return FileNamePart(path, PlatformFullPath);
}

std::optional<std::string> FileExtension(std::string_view path) {
    return FileExtension(path, PlatformFullPath);
}

std::string ReplaceExtension(std::string_view path, std::string_view newExtension) {
    return ReplaceExtension(path, newExtension, PlatformFullPath);
}

std::string CompressedName(std::string_view name) {
    return CompressedName(name, PlatformFullPath);
}

void ChangeCurrentDirectory(const std::string& path) {
    SetCurrentDirectoryA(path.c_str());
}

Failure VolumeRoot(std::string_view path, std::string& root) {
    const std::optional<std::string> full = PlatformFullPath(path, kBoundedPathCapacity);
    if (!full) {
        return SetupError(kErrorNoFullPath, "no full path");
    }
    root = VolumeRootOfFullPath(*full);
    DWORD maximumComponentLength = 0;
    DWORD fileSystemFlags = 0;
    if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, &maximumComponentLength,
                               &fileSystemFlags, nullptr, 0)) {
        return SetupError(kErrorNoFullPath, "no volume answers");
    }
    return std::nullopt;
}

bool ValidatePath(std::string& out, std::string_view path) {
    if (HasWildcards(path)) {
        return false;
    }
    const std::optional<std::string> full = PlatformFullPath(path, kBoundedPathCapacity);
    if (!full) {
        out = BoundedCopy(path);
        return false;
    }
    out = *full;
    std::string root;
    return !VolumeRoot(path, root);
}

bool CreateDirectoryTree(std::string_view path, std::vector<std::string>* created) {
    auto create = [created](const std::string& directory) {
        if (!CreateDirectoryA(directory.c_str(), nullptr)) {
            return false;
        }
        if (created) {
            created->push_back(directory);
        }
        return true;
    };
    auto enter = [](const std::string& directory) {
        return SetCurrentDirectoryA(directory.c_str()) != FALSE;
    };
    return CreateDirectoryTreeWith(std::string(path), create, enter);
}

bool EnsureDirectory(std::string_view path, std::vector<std::string>* createdLevels) {
    char saved[kPathCapacity] = {};
    const DWORD length = GetCurrentDirectoryA(kPathCapacity, saved);
    const bool created = CreateDirectoryTree(path, createdLevels);
    // A current directory too long for the buffer was never read, so it cannot be restored.
    if (length > 0 && length < kPathCapacity) {
        SetCurrentDirectoryA(saved);
    }
    return created;
}

std::uint64_t FreeDiskSpaceK(std::string_view directory) {
    const std::string root = WithTrailingBackslash(directory);
    // A failed call leaves the outputs 0, and so the result.
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                      &totalClusters);
    return FreeSpaceK(freeClusters, sectorsPerCluster, bytesPerSector);
}

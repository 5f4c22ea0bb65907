#include "engine/StandardDirectories.h"

#include "engine/PathOperations.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

// What a GetXxxDirectoryA-style call wrote into a 256-character buffer; empty when it failed
// or the directory would not fit (the call then writes nothing and returns the size needed).
template <typename Read> std::string ReadDirectory(Read read) {
    char buffer[kBoundedPathCapacity] = {};
    const DWORD length = read(buffer, static_cast<DWORD>(sizeof buffer));
    if (length == 0 || length >= sizeof buffer) {
        return {};
    }
    return std::string(buffer, length);
}

// The rule of ?Y looks at the drive of the system directory itself: that is where the system
// files lie. Its root comes from the path alone, without a volume query, so a remote system
// drive that does not answer one still counts as remote instead of failing the start.
bool OnRemoteDrive(const std::string& directory) {
    return !directory.empty() &&
           GetDriveTypeA(VolumeRootOfFullPath(directory).c_str()) == DRIVE_REMOTE;
}

} // namespace

Failure ComputeStandardDirectories(StandardDirectories& directories) {
    directories.windows =
        ReadDirectory([](char* buffer, DWORD size) { return GetWindowsDirectoryA(buffer, size); });
    const std::string system =
        ReadDirectory([](char* buffer, DWORD size) { return GetSystemDirectoryA(buffer, size); });
    directories.system = OnRemoteDrive(system) ? directories.windows : system;
    directories.temporary = WithTrailingBackslash(
        ReadDirectory([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); }));
    std::string root;
    if (Failure failure = VolumeRoot(directories.windows, root)) {
        return failure;
    }
    directories.programFiles = JoinPath(root, "Program Files");
    return std::nullopt;
}

SourceAndScriptPath ComputeSourceAndScriptPath(HMODULE module) {
    char own[kBoundedPathCapacity] = {};
    GetModuleFileNameA(module, own, static_cast<DWORD>(sizeof own));
    // A path cut to the buffer is not NUL-terminated on every version of the platform.
    own[sizeof own - 1] = '\0';
    const std::string_view path(own, std::strlen(own));
    return {DirectoryPart(path), ReplaceExtension(path, "INF")};
}

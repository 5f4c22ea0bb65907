#include "TestFiles.h"

#include <algorithm>

std::string ProgramDirectory() {
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string directory(own);
    directory.resize(directory.rfind('\\') + 1);
    return directory;
}

std::string TemporaryPath(std::string_view name) {
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    return std::string(temporary) + std::string(name);
}

std::string ScratchDirectory(std::string_view name) {
    const std::string directory = TemporaryPath(name) + "\\";
    CreateDirectoryA(directory.c_str(), nullptr);
    DeleteFilesIn(directory);
    return directory;
}

std::vector<WIN32_FIND_DATAA> EntriesIn(const std::string& directory) {
    const bool separated = !directory.empty() && directory.back() == '\\';
    const std::string pattern = directory + (separated ? "*" : "\\*");
    std::vector<WIN32_FIND_DATAA> entries;
    WIN32_FIND_DATAA found{};
    const UniqueFind search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) {
        return entries;
    }
    do {
        const std::string_view name = found.cFileName;
        if (name != "." && name != "..") {
            entries.push_back(found);
        }
    } while (FindNextFileA(search.get(), &found));
    return entries;
}

std::vector<std::string> FilesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const WIN32_FIND_DATAA& entry : EntriesIn(directory)) {
        names.emplace_back(entry.cFileName);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void DeleteFilesIn(const std::string& directory) {
    const bool separated = !directory.empty() && directory.back() == '\\';
    const std::string prefix = separated ? directory : directory + "\\";
    for (const WIN32_FIND_DATAA& entry : EntriesIn(directory)) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::string path = prefix + entry.cFileName;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    }
}

UniqueFile HoldFile(const std::string& path) {
    return UniqueFile(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::string> ReadTestFile(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes(GetFileSize(file.get(), nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) {
        ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    }
    bytes.resize(read);
    return bytes;
}

::testing::AssertionResult WriteFileBytes(const std::string& path, std::string_view bytes) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return ::testing::AssertionFailure()
               << "cannot create " << path << " (error " << GetLastError() << ")";
    }
    DWORD written = 0;
    if (!bytes.empty() &&
        !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return ::testing::AssertionFailure()
               << "cannot write " << path << " (error " << GetLastError() << ")";
    }
    if (written != bytes.size()) {
        return ::testing::AssertionFailure() << "short write to " << path << ": " << written
                                             << " of " << bytes.size() << " bytes";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult WriteFileBytes(const std::string& path,
                                          const std::vector<std::uint8_t>& bytes) {
    return WriteFileBytes(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

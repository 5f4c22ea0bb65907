#include "engine/FileOperations.h"

#include "engine/PathRules.h"
#include "script/SetupError.h"

#include <cstring>
#include <new>

namespace {

int AnswerAbort(const char*) {
    return IDABORT;
}

FileInUsePromptFunction g_fileInUsePrompt = AnswerAbort;

} // namespace

FileInUsePromptFunction SetFileInUsePrompt(FileInUsePromptFunction prompt) {
    const FileInUsePromptFunction previous = g_fileInUsePrompt;
    g_fileInUsePrompt = prompt != nullptr ? prompt : AnswerAbort;
    return previous;
}

int AskFileInUse(const char* path) {
    return g_fileInUsePrompt(path);
}

bool FileExists(std::string_view path) {
    const std::string pattern(path);
    WIN32_FIND_DATAA found;
    const UniqueFind search(FindFirstFileA(pattern.c_str(), &found));
    return search.valid();
}

bool PathExists(std::string_view path) {
    const std::string name(path);
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteIfNamed(std::string_view path) noexcept {
    // A stack copy: this runs while exceptions unwind, where an allocation must not throw. A
    // path that does not fit could not name a file.
    char name[kPathCapacity];
    if (path.empty() || path.size() >= sizeof name) {
        return;
    }
    std::memcpy(name, path.data(), path.size());
    name[path.size()] = '\0';
    DeleteFileA(name);
}

UniqueFile OpenFileExclusive(std::string_view path, DWORD access, DWORD disposition) {
    const std::string name(path);
    for (;;) {
        UniqueFile file(CreateFileA(name.c_str(), access, 0, nullptr, disposition,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            return file;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) {
            throw SetupError(error, "cannot open " + name);
        }
        const int answer = g_fileInUsePrompt(name.c_str());
        if (answer != IDRETRY) {
            throw SetupError(static_cast<std::uint32_t>(answer), "in use: " + name);
        }
    }
}

int CompareLastWrite(std::string_view existing, std::string_view source) {
    const UniqueFile sourceFile = OpenFileExclusive(source, GENERIC_READ, OPEN_EXISTING);
    const UniqueFile existingFile = OpenFileExclusive(existing, GENERIC_READ, OPEN_EXISTING);
    FILETIME sourceTime{};
    FILETIME existingTime{};
    GetFileTime(sourceFile.get(), nullptr, nullptr, &sourceTime);
    GetFileTime(existingFile.get(), nullptr, nullptr, &existingTime);
    return CompareFileTime(&existingTime, &sourceTime);
}

std::string ReadWholeFile(std::string_view path) {
    const UniqueFile file = OpenFileExclusive(path, GENERIC_READ, OPEN_EXISTING);
    // The high part is asked for so that a file of 4 GB or more is refused instead of being
    // read as its size modulo 4 GB.
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file.get(), &sizeHigh);
    if (size == INVALID_FILE_SIZE || sizeHigh != 0) {
        throw SetupError(kErrorNoFileSize, "cannot read the size of " + std::string(path));
    }
    std::string contents;
    try {
        contents.resize(size);
    } catch (const std::bad_alloc&) {
        throw SetupError(ERROR_NOT_ENOUGH_MEMORY, "no memory for " + std::string(path));
    }
    DWORD read = 0;
    if (size > 0 && !ReadFile(file.get(), contents.data(), size, &read, nullptr)) {
        throw SetupError(GetLastError(), "cannot read " + std::string(path));
    }
    contents.resize(read);
    return contents;
}

bool WriteWholeFile(const std::string& path, std::string_view text) noexcept {
    const std::string temporary = path + ".new";
    {
        const UniqueFile file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written,
                       nullptr) ||
            written != text.size() || !FlushFileBuffers(file.get())) {
            DeleteFileA(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

#include "engine/FileOperations.h"

#include "engine/PathRules.h"
#include "script/SetupError.h"

#include <cstring>
#include <cstdlib>

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
    // A stack copy: this runs in clean-ups, which allocate nothing. A path that does not fit
    // could not name a file.
    char name[kPathCapacity];
    if (path.empty() || path.size() >= sizeof name) {
        return;
    }
    std::memcpy(name, path.data(), path.size());
    name[path.size()] = '\0';
    DeleteFileA(name);
}

Failure OpenFileExclusive(std::string_view path, DWORD access, DWORD disposition,
                          UniqueFile& file) {
    const std::string name(path);
    for (;;) {
        file.reset(CreateFileA(name.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                               nullptr));
        if (file) {
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) {
            return SetupError(error, "cannot open");
        }
        const int answer = g_fileInUsePrompt(name.c_str());
        if (answer != IDRETRY) {
            return SetupError(static_cast<std::uint32_t>(answer), "in use");
        }
    }
}

Failure CompareLastWrite(std::string_view existing, std::string_view source, int& order) {
    UniqueFile sourceFile;
    UniqueFile existingFile;
    if (Failure failure = OpenFileExclusive(source, GENERIC_READ, OPEN_EXISTING, sourceFile)) {
        return failure;
    }
    if (Failure failure = OpenFileExclusive(existing, GENERIC_READ, OPEN_EXISTING, existingFile)) {
        return failure;
    }
    FILETIME sourceTime{};
    FILETIME existingTime{};
    GetFileTime(sourceFile.get(), nullptr, nullptr, &sourceTime);
    GetFileTime(existingFile.get(), nullptr, nullptr, &existingTime);
    order = CompareFileTime(&existingTime, &sourceTime);
    return std::nullopt;
}

Failure ReadWholeFile(std::string_view path, std::string& contents) {
    UniqueFile file;
    if (Failure failure = OpenFileExclusive(path, GENERIC_READ, OPEN_EXISTING, file)) {
        return failure;
    }
    // The high part is asked for so that a file of 4 GB or more is refused instead of being
    // read as its size modulo 4 GB.
    DWORD sizeHigh = 0;
    const DWORD size = GetFileSize(file.get(), &sizeHigh);
    if (size == INVALID_FILE_SIZE || sizeHigh != 0) {
        return SetupError(kErrorNoFileSize, "cannot read the size");
    }
    // The memory is asked for first: a failed allocation would end the program.
    if (void* probe = std::malloc(std::size_t{size} + 1)) {
        std::free(probe);
    } else {
        return SetupError(ERROR_NOT_ENOUGH_MEMORY, "no memory for the file");
    }
    contents.assign(size, '\0');
    DWORD read = 0;
    if (size > 0 && !ReadFile(file.get(), contents.data(), size, &read, nullptr)) {
        return SetupError(GetLastError(), "cannot read");
    }
    contents.resize(read);
    return std::nullopt;
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

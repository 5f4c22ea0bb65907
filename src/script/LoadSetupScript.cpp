#include "script/LoadSetupScript.h"

#include "script/ScriptLoader.h"
#include "script/SetupError.h"

#include <windows.h>

namespace {

struct FileHandle {
    HANDLE handle;
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
        }
    }
};

} // namespace

std::vector<std::uint8_t> ReadScriptImage(const char* scriptPath) {
    FileHandle file{CreateFileA(scriptPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        throw SetupError(GetLastError(), "cannot open the script");
    }
    const DWORD size = GetFileSize(file.handle, nullptr);
    if (size == INVALID_FILE_SIZE) {
        throw SetupError(kErrorNoFileSize, "cannot read the script's size");
    }
    std::vector<std::uint8_t> image(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(file.handle, image.data(), size, &read, nullptr) || read != size)) {
        throw SetupError(GetLastError(), "cannot read the script");
    }
    return image;
}

SetupScript LoadSetupScript(const char* scriptPath) {
    const std::vector<std::uint8_t> image = ReadScriptImage(scriptPath);
    return ParseSetupScript(image);
}

#include "TestRegistry.h"

namespace {

const char* SubKey(const std::string& path) {
    return path.empty() ? nullptr : path.c_str();
}

UniqueRegKey Owned(LONG result, HKEY key, LONG* status) {
    if (status) {
        *status = result;
    }
    return UniqueRegKey(result == ERROR_SUCCESS ? key : nullptr);
}

} // namespace

UniqueRegKey OpenTestKey(HKEY root, const std::string& path, REGSAM access, LONG* status) {
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExA(root, SubKey(path), 0, access, &key);
    return Owned(result, key, status);
}

UniqueRegKey CreateTestKey(HKEY root, const std::string& path, REGSAM access, LONG* status) {
    HKEY key = nullptr;
    const LONG result =
        RegCreateKeyExA(root, SubKey(path), 0, nullptr, 0, access, nullptr, &key, nullptr);
    return Owned(result, key, status);
}

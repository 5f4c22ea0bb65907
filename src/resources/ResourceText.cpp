#include "resources/ResourceText.h"

#include <string>

std::string LoadResourceText(UINT id, int capacity) {
    std::string buffer(static_cast<std::size_t>(capacity > 0 ? capacity : 1), '\0');
    // The string table is linked into the program itself.
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer.data(), capacity);
    buffer.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return buffer;
}

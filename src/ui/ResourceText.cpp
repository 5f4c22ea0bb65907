#include "ui/ResourceText.h"

#include "shell/SetupState.h"

std::string LoadResourceText(UINT id, int capacity) {
    std::vector<char> buffer(static_cast<std::size_t>(capacity > 0 ? capacity : 1), '\0');
    const int length = LoadStringA(g_setup.instance, id, buffer.data(), capacity);
    return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

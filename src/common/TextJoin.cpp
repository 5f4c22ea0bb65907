#include "common/TextJoin.h"

std::string Joined(std::initializer_list<std::string_view> parts) {
    std::size_t length = 0;
    for (const std::string_view part : parts) {
        length += part.size();
    }
    std::string joined;
    joined.reserve(length);
    for (const std::string_view part : parts) {
        joined += part;
    }
    return joined;
}

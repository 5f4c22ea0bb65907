#include "integration/RegistryPath.h"

#include "common/AsciiCase.h"

std::optional<RegistryPathParts> SplitRegistryPath(std::string_view keyPath) {
    if (keyPath.empty()) {
        return std::nullopt;
    }
    const std::string_view rest = keyPath.substr(1);
    const char separator = rest.find('\\') != std::string_view::npos ? '\\' : ']';
    const std::size_t start = rest.find_first_not_of(separator);
    if (start == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t end = rest.find(separator, start);
    RegistryPathParts parts;
    parts.rootName = std::string(rest.substr(start, end - start));
    if (end != std::string_view::npos) {
        const std::string_view after = rest.substr(end + 1);
        parts.subKey = std::string(after.substr(0, after.find(']')));
    }
    return parts;
}

std::optional<std::size_t> FindRegistryRoot(std::string_view name,
                                            std::span<const std::string> names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (SameAsciiText(name, names[i])) {
            return i;
        }
    }
    return std::nullopt;
}

const std::array<std::string, 6>& RegistryRootNames() {
    static const std::array<std::string, 6> names = {
        "HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",   "HKEY_LOCAL_MACHINE",
        "HKEY_USERS",        "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA",
    };
    return names;
}

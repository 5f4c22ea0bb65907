#include "integration/RecordPaths.h"

#include "common/AsciiCase.h"

#include <algorithm>

std::string_view WithoutTrailingBackslash(std::string_view path) {
    while (path.size() > 1 && path.back() == '\\' && !(path.size() == 3 && path[1] == ':')) {
        path.remove_suffix(1);
    }
    return path;
}

bool HasControlCharacter(std::string_view text) {
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool IsVolumeRoot(std::string_view path) {
    path = WithoutTrailingBackslash(path);
    if (path.starts_with("\\\\")) {
        return std::ranges::count(path.substr(2), '\\') <= 1;
    }
    return std::ranges::count(path, '\\') == 0 || path.ends_with('\\');
}

std::string ShareOf(std::string_view path) {
    if (!path.starts_with("\\\\")) {
        return {};
    }
    const std::size_t server = path.find('\\', 2);
    const std::size_t share =
        server == std::string_view::npos ? server : path.find('\\', server + 1);
    return ComparablePath(path.substr(0, share));
}

bool IsAbsolutePath(std::string_view path) {
    std::string_view rest;
    if (path.size() >= 3 &&
        ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
        path[1] == ':' && path[2] == '\\') {
        rest = path.substr(3);
    } else if (path.starts_with("\\\\")) {
        // "\\server\share": both names present; "\\?\" and "\\.\" reach devices, not shares.
        rest = path.substr(2);
        const std::size_t server = rest.find('\\');
        if (server == 0 || server == std::string_view::npos || server + 1 == rest.size() ||
            rest[server + 1] == '\\' || rest.substr(0, server) == "?" ||
            rest.substr(0, server) == ".") {
            return false;
        }
    } else {
        return false;
    }
    if (HasControlCharacter(path)) {
        return false;
    }
    // No component may lead out of the place the path names.
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\\/");
        const std::string_view component = rest.substr(0, end);
        if (component == "." || component == "..") {
            return false;
        }
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return true;
}

std::string ComparablePath(std::string_view path) {
    std::string comparable;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '\\' && i >= 2 && comparable.ends_with('\\')) {
            continue;
        }
        comparable += AsciiUpper(path[i]);
    }
    return comparable;
}

bool SamePath(std::string_view a, std::string_view b) {
    return ComparablePath(a) == ComparablePath(b);
}

bool IsInside(std::string_view path, std::string_view directory) {
    const std::string inner = ComparablePath(path);
    std::string outer = ComparablePath(WithoutTrailingBackslash(directory));
    if (outer.empty() || outer.ends_with('\\')) {
        return !outer.empty() && inner.size() > outer.size() && inner.starts_with(outer);
    }
    outer += '\\';
    return inner.size() > outer.size() && inner.starts_with(outer);
}

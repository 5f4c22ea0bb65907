#include "engine/PathRules.h"

#include "common/AsciiCase.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// The last component of a full path; empty when the path ends in a separator.
std::string_view LastComponent(std::string_view fullPath) {
    const std::size_t separator = fullPath.find_last_of("\\/");
    return separator == std::string_view::npos ? fullPath : fullPath.substr(separator + 1);
}

} // namespace

std::optional<std::string> PathAsWritten(std::string_view path, std::size_t capacity) {
    if (path.empty() || path.size() >= capacity) {
        return std::nullopt;
    }
    return std::string(path);
}

std::string BoundedCopy(std::string_view text) {
    return std::string(text.substr(0, kBoundedPathCapacity - 1));
}

void AppendPathComponent(std::string& path, std::string_view name) {
    if (!path.empty() && path.back() != '\\') {
        path += '\\';
    }
    path += name;
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string out(directory);
    AppendPathComponent(out, name);
    return out;
}

std::string JoinPath3(std::string_view base, std::string_view subdir, std::string_view name) {
    std::string out(base);
    if (!base.empty() && base.back() != '\\') {
        out += '\\';
    }
    out += subdir;
    if (!subdir.empty() && subdir.back() != '\\') {
        out += '\\';
    }
    out += name;
    return out;
}

std::string DirectoryPart(std::string_view path) {
    const std::size_t backslash = path.rfind('\\');
    return backslash == std::string_view::npos ? std::string()
                                               : std::string(path.substr(0, backslash + 1));
}

std::string FileNamePart(std::string_view path, FullPathFunction fullPath) {
    const std::optional<std::string> full = fullPath(path, kPathCapacity);
    return full ? std::string(LastComponent(*full)) : std::string();
}

std::optional<std::string> FileExtension(std::string_view path, FullPathFunction fullPath) {
    const std::optional<std::string> full = fullPath(path, kBoundedPathCapacity);
    if (!full) {
        return std::nullopt;
    }
    const std::string_view name = LastComponent(*full);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

std::string ReplaceExtension(std::string_view path, std::string_view newExtension,
                             FullPathFunction fullPath) {
    std::string name = FileNamePart(path, fullPath);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) {
        name.resize(dot);
    }
    std::string out = DirectoryPart(path);
    out += name;
    out += '.';
    out += newExtension;
    return out;
}

std::string CompressedName(std::string_view name, FullPathFunction fullPath) {
    std::string extension = FileExtension(name, fullPath).value_or(std::string());
    if (extension.size() >= 3) {
        extension.back() = '_';
    } else {
        extension += '_';
    }
    return ReplaceExtension(name, extension, fullPath);
}

std::string VolumeRootOfFullPath(std::string_view fullPath) {
    const std::string_view root = fullPath.substr(0, kBoundedPathCapacity - 1);
    const std::size_t n = root.size();

    std::size_t pair = std::string_view::npos;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (IsSeparator(root[i]) && IsSeparator(root[i + 1])) {
            pair = i;
            break;
        }
    }

    std::size_t stop = 0;
    if (pair != std::string_view::npos) {
        // A UNC path: skip the server name, then the share name.
        stop = pair + 2;
        while (stop < n && !IsSeparator(root[stop])) {
            ++stop;
        }
        if (stop < n) {
            ++stop;
            while (stop < n && !IsSeparator(root[stop])) {
                ++stop;
            }
        }
    } else {
        while (stop < n && !IsSeparator(root[stop])) {
            ++stop;
        }
    }
    return std::string(stop < n ? root.substr(0, stop + 1) : root);
}

bool HasWildcards(std::string_view path) {
    return path.find_first_of("?*") != std::string_view::npos;
}

bool SamePathText(std::string_view a, std::string_view b) {
    return SameAsciiText(a, b);
}

std::string WithTrailingBackslash(std::string_view directory) {
    std::string out(directory);
    if (out.empty() || out.back() != '\\') {
        out += '\\';
    }
    return out;
}

std::uint64_t FreeSpaceK(std::uint32_t freeClusters, std::uint32_t sectorsPerCluster,
                         std::uint32_t bytesPerSector) {
    // The first product always fits 64 bits; the second could only overflow with values no
    // volume reports, and then the space reads as the most there can be, never as little.
    const std::uint64_t sectors = std::uint64_t{freeClusters} * sectorsPerCluster;
    if (bytesPerSector != 0 && sectors > UINT64_MAX / bytesPerSector) {
        return UINT64_MAX / 1000;
    }
    return sectors * bytesPerSector / 1000;
}

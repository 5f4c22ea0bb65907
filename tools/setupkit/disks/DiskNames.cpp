#include "disks/DiskNames.h"

#include "common/AsciiCase.h"

#include "engine/ItemPaths.h"
#include "engine/PathRules.h"

std::string DiskPath(std::string_view sourceSubdir, std::string_view storedName) {
    return JoinPath3("", sourceSubdir, storedName);
}

std::string StoredName(std::string_view name, bool compressed) {
    return compressed ? CompressedName(name, PathAsWritten) : std::string(name);
}

std::string PiecePath(std::string_view sourceSubdir, std::string_view storedName,
                      std::uint32_t piece) {
    return SplitPiecePath(sourceSubdir, FileNamePart(storedName, PathAsWritten), piece,
                          PathAsWritten);
}

std::optional<std::string> DiskNameProblem(std::string_view path) {
    if (path.empty()) {
        return "the name is empty";
    }
    if (path.size() > 255) {
        return "the name is longer than 255 characters";
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('\\', start);
        const std::string_view component = path.substr(
            start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        if (component.empty()) {
            return "a path component is empty";
        }
        if (component == "." || component == "..") {
            return "\"" + std::string(component) + "\" is not a file or directory name";
        }
        if (component.back() == '.' || component.back() == ' ') {
            return "\"" + std::string(component) + "\" ends in a dot or a space";
        }
        for (const char c : component) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || std::string_view("\"*/:<>?|").find(c) != std::string_view::npos) {
                return "\"" + std::string(component) + "\" holds a character that disks refuse";
            }
        }
        if (slash == std::string_view::npos) {
            return std::nullopt;
        }
        start = slash + 1;
    }
}

std::string FoldCase(std::string_view path) {
    return AsciiUpper(path);
}

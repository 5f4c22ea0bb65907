#include "TreePattern.h"

#include "common/AsciiCase.h"

#include <vector>

namespace {

std::vector<std::string_view> Parts(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = path.find('/', start);
        parts.push_back(
            path.substr(start, slash == std::string_view::npos ? slash : slash - start));
        if (slash == std::string_view::npos) {
            return parts;
        }
        start = slash + 1;
    }
}

// One part against one name: `*` and `?` never cross a '/', since both are single parts.
bool MatchesPart(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos; // the last `*` seen, to back up to
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool MatchesParts(const std::vector<std::string_view>& pattern, std::size_t p,
                  const std::vector<std::string_view>& path, std::size_t n) {
    if (p == pattern.size()) {
        return n == path.size();
    }
    if (pattern[p] == "**") {
        // Any number of folders, none included; a trailing `**` takes the file's name too,
        // and at least that (`docs/**` is everything below docs, not a file named docs).
        const bool last = p + 1 == pattern.size();
        for (std::size_t skip = last ? n + 1 : n; skip <= path.size(); ++skip) {
            if (MatchesParts(pattern, p + 1, path, skip)) {
                return true;
            }
        }
        return false;
    }
    return n < path.size() && MatchesPart(pattern[p], path[n]) &&
           MatchesParts(pattern, p + 1, path, n + 1);
}

} // namespace

bool MatchesTreePattern(std::string_view pattern, std::string_view path) {
    return MatchesParts(Parts(pattern), 0, Parts(path), 0);
}

std::optional<std::string> TreePatternProblem(std::string_view pattern) {
    if (pattern.empty()) {
        return "an empty pattern matches nothing";
    }
    if (pattern.front() == '/') {
        return "patterns are relative to the tree's folder: no leading /";
    }
    if (pattern.find('\\') != std::string_view::npos) {
        return "patterns separate folders with /, not \\";
    }
    for (std::string_view part : Parts(pattern)) {
        if (part.empty()) {
            return "a part of the pattern is empty (two / in a row, or one at the end)";
        }
        if (part == "." || part == "..") {
            return "\"" + std::string(part) + "\" never appears in the tree's paths";
        }
    }
    return std::nullopt;
}

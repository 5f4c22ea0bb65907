#include "WindowsNames.h"

#include "common/AsciiCase.h"
#include "engine/ItemPaths.h"

#include <cstdio>
#include <map>

namespace {

bool Refused(char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

// 'x' for a printable character, U+0009 for a control character.
std::string Shown(char c) {
    if (static_cast<unsigned char>(c) < 0x20) {
        char code[8];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
        return code;
    }
    return "'" + std::string(1, c) + "'";
}

// The device a name stands for: the part before the first dot, without the spaces that end
// it, is one of the names Windows gives its devices.
std::optional<std::string> DeviceName(std::string_view name) {
    std::string base = AsciiUpper(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    const bool numbered = base.size() == 4 &&
                          (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' &&
                          base[3] <= '9';
    if (numbered || base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") {
        return base;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> WindowsNameProblem(std::string_view name) {
    if (name.empty()) {
        return "is empty";
    }
    if (name == "." || name == "..") {
        return "is \"" + std::string(name) + "\", which stands for a folder";
    }
    std::string refused;
    for (const char c : name) {
        if (Refused(c) && refused.find(c) == std::string::npos) {
            refused += c;
        }
    }
    if (!refused.empty()) {
        std::string list;
        for (const char c : refused) {
            list += (list.empty() ? "" : ", ") + Shown(c);
        }
        return "holds " + list;
    }
    if (name.back() == '.' || name.back() == ' ') {
        return "ends in a dot or a space, which Windows drops";
    }
    if (const std::optional<std::string> device = DeviceName(name)) {
        return "names the device " + *device;
    }
    return std::nullopt;
}

std::optional<std::string> WindowsPathProblem(std::string_view path) {
    if (path.find('\\') == std::string_view::npos) {
        return WindowsNameProblem(path);
    }
    for (std::size_t start = 0;;) {
        const std::size_t slash = path.find('\\', start);
        const std::string_view part = slash == std::string_view::npos
                                          ? path.substr(start)
                                          : path.substr(start, slash - start);
        if (part.empty()) {
            return "has an empty part (a backslash at an end or two in a row)";
        }
        if (const std::optional<std::string> problem = WindowsNameProblem(part)) {
            return "has the part \"" + std::string(part) + "\", which " + *problem;
        }
        if (slash == std::string_view::npos) {
            return std::nullopt;
        }
        start = slash + 1;
    }
}

std::optional<std::string> ItemNameProblem(const InstallItem& item) {
    if (!ItemReadsSource(item)) {
        return std::nullopt;
    }
    return WindowsPathProblem(item.name.Stored());
}

std::vector<std::pair<std::size_t, std::size_t>>
CaseCollisions(const SetupScript& script, std::span<const std::string> spellings) {
    const auto spelling = [&](std::size_t i) -> std::string_view {
        return spellings.empty() ? script.installItems[i].name.Stored() : spellings[i];
    };
    // The items of each spelling that land at a place: (folder, name in upper case).
    std::map<std::pair<std::uint32_t, std::string>, std::vector<std::size_t>> places;
    std::vector<std::pair<std::size_t, std::size_t>> collisions;
    for (std::size_t i = 0; i < script.installItems.size(); ++i) {
        const InstallItem& item = script.installItems[i];
        if (item.action != static_cast<std::uint8_t>(ItemAction::Copy)) {
            continue;
        }
        std::vector<std::size_t>& there = places[{item.dirIndex, AsciiUpper(item.name.Stored())}];
        bool known = false;
        for (const std::size_t other : there) {
            known = known || spelling(other) == spelling(i);
        }
        if (!known) {
            if (!there.empty()) {
                collisions.emplace_back(there.front(), i);
            }
            there.push_back(i);
        }
    }
    return collisions;
}

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The readable names of the script's coded bytes, shared by the description's reader and by
// dump. Where several names share a value, the first is the one dump writes.

struct NamedValue {
    std::string_view name;
    std::uint32_t value;
};

inline constexpr std::array<NamedValue, 5> kBackgroundStyles{{
    {"plain", 0},
    {"gradient-shadowed", 1},
    {"tiled", 2},
    {"stretched", 3},
    {"gradient", 4},
}};

inline constexpr std::array<NamedValue, 7> kItemActions{{
    {"copy", 1},
    {"show-bitmap", 2},
    {"delete", 3},
    {"run-normal", 4},
    {"run-maximized", 5},
    {"run-minimized", 6},
    {"hide-bitmap", 7},
}};

inline constexpr std::array<NamedValue, 4> kOverwriteModes{{
    {"if-older", 1},
    {"never", 2},
    {"ask", 3},
    {"always", 4},
}};

// The window show commands a final program may be started with.
inline constexpr std::array<NamedValue, 14> kShowCommands{{
    {"SW_HIDE", 0},
    {"SW_SHOWNORMAL", 1},
    {"SW_NORMAL", 1},
    {"SW_SHOWMINIMIZED", 2},
    {"SW_SHOWMAXIMIZED", 3},
    {"SW_MAXIMIZE", 3},
    {"SW_SHOWNOACTIVATE", 4},
    {"SW_SHOW", 5},
    {"SW_MINIMIZE", 6},
    {"SW_SHOWMINNOACTIVE", 7},
    {"SW_SHOWNA", 8},
    {"SW_RESTORE", 9},
    {"SW_SHOWDEFAULT", 10},
    {"SW_FORCEMINIMIZE", 11},
}};

inline std::optional<std::uint32_t> ValueOfName(std::span<const NamedValue> names,
                                                std::string_view name) {
    for (const NamedValue& entry : names) {
        if (entry.name == name) {
            return entry.value;
        }
    }
    return std::nullopt;
}

inline std::optional<std::string_view> NameOfValue(std::span<const NamedValue> names,
                                                   std::uint32_t value) {
    for (const NamedValue& entry : names) {
        if (entry.value == value) {
            return entry.name;
        }
    }
    return std::nullopt;
}

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The key path of a script registry entry: "[ROOT\sub\key]" or "[ROOT]", ROOT one of the
// predefined root names. The first character stands for the opening bracket and is skipped
// unread, whatever it is.

struct RegistryPathParts {
    std::string rootName; // as written, not yet compared with the root names
    std::string subKey;   // empty: the values go directly under the root
};

// Splits a key path. With a backslash after the first character the root name runs up to the
// first following backslash, otherwise up to the first closing bracket; separators before the
// name are passed over. The sub-key is what follows the separator that ended the name, cut at
// its first closing bracket. Nothing when no name remains.
[[nodiscard]] std::optional<RegistryPathParts> SplitRegistryPath(std::string_view keyPath);

// The position of name in names, compared without regard to case (ASCII letters); the first
// match wins. Nothing when no name matches.
[[nodiscard]] std::optional<std::size_t> FindRegistryRoot(std::string_view name,
                                                          std::span<const std::string> names);

enum class RegistryRoot : std::uint8_t {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
    DynData,
};

// The names of the predefined roots as the string table holds them, in the order of
// RegistryRoot.
[[nodiscard]] const std::array<std::string, 6>& RegistryRootNames();

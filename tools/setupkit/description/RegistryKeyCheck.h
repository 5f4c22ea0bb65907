#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whether SETUP.EXE can use a registry key path as written: "[ROOT]" or "[ROOT\sub\key]"
// with ROOT one of its six root names. It skips the first character unread and cuts the
// sub-key at the first closing bracket, and a root it does not know makes it skip the key, all
// without a word; so a path of another form is written nowhere. Nothing when the path is
// fine, else what is wrong with it.
[[nodiscard]] std::optional<std::string> RegistryKeyPathProblem(std::string_view keyPath);

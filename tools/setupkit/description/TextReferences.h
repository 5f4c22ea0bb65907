#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// References in the texts of a product description: `${name}` stands for the text a
// definition gives (or the installed path of a tree's file), so that a name written once is
// used everywhere. `$${` writes `${` itself.

struct ReferenceExpansion {
    std::string text;    // the text with every reference replaced
    std::string problem; // empty on success
};

// What a name stands for: its text, or why it has none.
struct ReferenceTarget {
    std::optional<std::string> text;
    std::string missing; // why there is no text; empty: nothing is defined by that name
};

// lookup gives the target of a name.
[[nodiscard]] ReferenceExpansion
ExpandReferences(std::string_view text,
                 const std::function<ReferenceTarget(std::string_view)>& lookup);

// The text written so that ExpandReferences gives it back unchanged: every `${` becomes `$${`.
[[nodiscard]] std::string EscapeReferences(std::string_view text);

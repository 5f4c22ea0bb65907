#include "TextReferences.h"

ReferenceExpansion
ExpandReferences(std::string_view text,
                 const std::function<ReferenceTarget(std::string_view)>& lookup) {
    ReferenceExpansion out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, 3) == "$${") {
            out.text += "${";
            i += 3;
        } else if (text.substr(i, 2) == "${") {
            const std::size_t close = text.find('}', i + 2);
            if (close == std::string_view::npos) {
                out.problem = "${ without a closing } (write $${ for the characters themselves)";
                return out;
            }
            const std::string_view name = text.substr(i + 2, close - i - 2);
            const ReferenceTarget target = lookup(name);
            if (!target.text) {
                out.problem = !target.missing.empty()
                                  ? target.missing
                                  : "nothing is defined as \"" + std::string(name) +
                                        "\" (a [define] entry, or a tree's file as tree-id/path)";
                return out;
            }
            out.text += *target.text;
            i = close + 1;
        } else {
            out.text += text[i++];
        }
    }
    return out;
}

std::string EscapeReferences(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "${") {
            out += '$';
        }
        out += text[i];
    }
    return out;
}

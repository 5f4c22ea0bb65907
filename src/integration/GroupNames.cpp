#include "integration/GroupNames.h"

std::vector<std::string> SplitGroupNames(std::string_view answer) {
    if (const auto end = answer.find('\0'); end != std::string_view::npos) {
        answer = answer.substr(0, end);
    }
    std::vector<std::string> names;
    while (!answer.empty()) {
        const auto lineFeed = answer.find('\n');
        std::string_view line = answer.substr(0, lineFeed);
        answer.remove_prefix(lineFeed == std::string_view::npos ? answer.size() : lineFeed + 1);
        if (const auto carriageReturn = line.rfind('\r');
            carriageReturn != std::string_view::npos) {
            line = line.substr(0, carriageReturn);
        }
        if (!line.empty()) {
            names.push_back(std::string(line));
        }
    }
    return names;
}

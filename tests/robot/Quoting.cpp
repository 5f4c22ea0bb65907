#include "robot/Quoting.h"

namespace robot {

std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case '"':
        case '\\':
            quoted += '\\';
            quoted += c;
            break;
        case '\0':
            quoted += "\\0";
            break;
        default:
            quoted += c;
        }
    }
    return quoted + "\"";
}

} // namespace robot

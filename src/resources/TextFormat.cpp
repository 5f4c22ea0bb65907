#include "resources/TextFormat.h"

std::string FormatWithTexts(std::string_view format,
                            std::initializer_list<std::string_view> arguments) {
    std::string out;
    const std::string_view* next = arguments.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        const std::string_view rest = format.substr(i + 1);
        std::size_t length = 0;
        if (rest.starts_with('%')) {
            out += '%';
            i += 2;
            continue;
        }
        for (const std::string_view conversion : {"s", "d", "u", "ld", "lu"}) {
            if (rest.starts_with(conversion) && conversion.size() > length) {
                length = conversion.size();
            }
        }
        if (length == 0) {
            out += format[i++];
            continue;
        }
        if (next != arguments.end()) {
            out += *next++;
        }
        i += 1 + length;
    }
    return out;
}

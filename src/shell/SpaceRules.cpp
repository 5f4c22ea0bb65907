#include "shell/SpaceRules.h"

std::string SpaceQueryRoot(std::string_view rootPath) {
    std::string root(rootPath);
    if (!root.empty() && root.back() != '\\') {
        root += '\\';
    }
    return root;
}

std::string SpaceMessageDrive(std::string_view rootPath) {
    if (!rootPath.empty() && rootPath.back() == '\\') {
        rootPath.remove_suffix(1);
    }
    return std::string(rootPath);
}

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

std::string FormatSpaceMessage(std::string_view format, std::string_view rootPath,
                               std::uint64_t freeBytes, std::uint64_t requiredBytes) {
    const std::string drive = SpaceMessageDrive(rootPath);
    const std::string freeK = std::to_string(freeBytes / 1000);
    const std::string requiredK = std::to_string(requiredBytes / 1000);
    return FormatWithTexts(format, {drive, freeK, requiredK});
}

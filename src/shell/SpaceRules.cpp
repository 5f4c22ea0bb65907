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

std::string FormatSpaceMessage(std::string_view format, std::string_view rootPath,
                               std::uint64_t freeBytes, std::uint64_t requiredBytes) {
    const std::string drive = SpaceMessageDrive(rootPath);
    const std::string freeK = std::to_string(freeBytes / 1000);
    const std::string requiredK = std::to_string(requiredBytes / 1000);
    return FormatWithTexts(format, {drive, freeK, requiredK});
}

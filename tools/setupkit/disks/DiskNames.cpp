#include "disks/DiskNames.h"

#include "WindowsNames.h"

#include "common/AsciiCase.h"

#include "engine/ItemPaths.h"
#include "engine/PathRules.h"

std::string DiskPath(std::string_view sourceSubdir, std::string_view storedName) {
    return JoinPath3("", sourceSubdir, storedName);
}

std::string StoredName(std::string_view name, bool compressed) {
    return compressed ? CompressedName(name, PathAsWritten) : std::string(name);
}

std::string PiecePath(std::string_view sourceSubdir, std::string_view storedName,
                      std::uint32_t piece) {
    return SplitPiecePath(sourceSubdir, FileNamePart(storedName, PathAsWritten), piece,
                          PathAsWritten);
}

std::optional<std::string> DiskNameProblem(std::string_view path) {
    if (path.size() > 255) {
        return "is longer than 255 characters";
    }
    return WindowsPathProblem(path);
}

std::string FoldCase(std::string_view path) {
    return AsciiUpper(path);
}

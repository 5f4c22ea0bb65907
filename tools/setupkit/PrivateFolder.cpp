#include "PrivateFolder.h"

#include "ToolError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fs = std::filesystem;

PrivateFolder::PrivateFolder() {
    std::error_code code;
    const fs::path base = fs::temp_directory_path(code);
    std::string pattern = ((code ? fs::path("/tmp") : base) / "setupkit-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw ToolError("cannot make a private folder " + pattern + ": " + std::strerror(errno));
    }
    path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
    std::error_code code;
    fs::remove_all(path_, code);
}

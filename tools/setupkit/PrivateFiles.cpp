#include "PrivateFiles.h"

#include "ToolError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

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

void WritePrivateFile(const fs::path& path, std::string_view text) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) {
        throw ToolError(path.string() + ": cannot create: " + std::strerror(errno));
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t wrote = write(file, text.data() + written, text.size() - written);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            const std::string problem = std::strerror(errno);
            close(file);
            throw ToolError(path.string() + ": cannot write: " + problem);
        }
        written += static_cast<std::size_t>(wrote);
    }
    if (close(file) != 0) {
        throw ToolError(path.string() + ": cannot write: " + std::strerror(errno));
    }
}

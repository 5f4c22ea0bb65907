#pragma once

#include <filesystem>

// A folder for copies while a command runs (signed programs, expanded programs to check): new,
// only its user may enter it (mode 0700), removed with all it holds when the folder object goes,
// also on error.
class PrivateFolder {
public:
    // Throws ToolError when the folder cannot be made.
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

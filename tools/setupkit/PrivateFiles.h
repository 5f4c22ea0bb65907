#pragma once

#include <filesystem>
#include <string_view>

// A folder for copies and secrets while a command runs (signed programs, a password, expanded
// programs to check): new, only its user may enter it (mode 0700), removed with all it holds
// when the folder object goes, also on error.
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

// Writes text to a new file that only its user may read (mode 0600 from the start, so that no
// other user ever sees a secret in it). Throws ToolError when the file exists or cannot be
// written; the message names the file, never the text.
void WritePrivateFile(const std::filesystem::path& path, std::string_view text);

#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

// A folder of its own below the temporary directory, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string name =
            (std::filesystem::temp_directory_path() / "setupkit-test-XXXXXX").string();
        path_ = ::mkdtemp(name.data()) ? std::filesystem::path(name) : std::filesystem::path();
    }
    ~ScratchFolder() {
        std::error_code code;
        std::filesystem::remove_all(path_, code);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes the file name (a path below the folder), making its folders.
    void Write(const std::string& name, std::string_view content = {}) const {
        std::filesystem::create_directories((path_ / name).parent_path());
        std::ofstream(path_ / name, std::ios::binary)
            .write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    void Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }

private:
    std::filesystem::path path_;
};

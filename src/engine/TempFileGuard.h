#pragma once

#include "engine/FileOperations.h"

#include <string>
#include <string_view>
#include <utility>

// Deletes a temporary file when the scope ends, also when a step returns early failing. An
// empty path deletes nothing, so a guard can be set up before the file's name is known.
class TempFileGuard {
public:
    explicit TempFileGuard(std::string path = {}) : path_(std::move(path)) {}
    ~TempFileGuard() { DeleteIfNamed(path_); }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    void Set(std::string path) { path_ = std::move(path); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

#pragma once

#include <cstdint>
#include <string>
#include <utility>

// Codes with a fixed meaning; any other code is passed through as it comes (system error
// codes, the version-installation result word, negative LZ error codes).
enum SetupErrorCode : std::uint32_t {
    kErrorDirectoryNotCreated = 1,
    kErrorCancelled = 3,
    kErrorSkipLockedFile = 5,
    kErrorProgramNotStarted = 73,
    kErrorNoFullPath = 5000,
    kErrorBadScript = 8000,
    kErrorNoFileSize = 8001,
};

// Thrown to abandon the current step. Handlers tell causes apart by code() alone; the reason
// is for people (the authoring tool prints it; SETUP.EXE shows only its fixed messages).
class SetupError {
public:
    explicit SetupError(std::uint32_t code, std::string reason = {})
        : code_(code), reason_(std::move(reason)) {}

    std::uint32_t code() const { return code_; }
    const std::string& reason() const { return reason_; }

private:
    std::uint32_t code_;
    std::string reason_;
};

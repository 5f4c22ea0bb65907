#pragma once

#include <cstdint>
#include <optional>

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

// Why a step was abandoned. Handlers tell causes apart by code() alone; the reason, a fixed
// text, is for people (SETUP.EXE shows only its fixed messages). A plain value, cheap to pass
// back through every step.
class SetupError {
public:
    explicit SetupError(std::uint32_t code, const char* reason = "")
        : code_(code), reason_(reason) {}

    std::uint32_t code() const { return code_; }
    const char* reason() const { return reason_; }

private:
    std::uint32_t code_;
    const char* reason_;
};

// What a step that can fail returns: nothing when it succeeded, else the error that ended it.
// The caller passes it on or handles it; nothing is thrown, and nothing can ignore it.
class [[nodiscard]] Failure : public std::optional<SetupError> {
public:
    using std::optional<SetupError>::optional;
};

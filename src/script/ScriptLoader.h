#pragma once

#include "script/ScriptModel.h"
#include "script/SetupError.h"

#include <cstdint>
#include <span>

inline constexpr std::uint32_t kScriptFormatVersion = 1;
inline constexpr std::size_t kScriptHeaderSize = 6;

// Verifies the version word and the checksum, then reads the body in one forward pass into
// script. Fails with SetupError 8000 (with the reason) when the version or checksum is wrong,
// when the image ends before its fields do, or when a component names an install item that
// does not exist. Bytes after the uninstall entry are ignored; parsedLength, when given,
// receives the offset where the uninstall entry ended (a script with nothing after it is
// reproduced byte for byte by WriteSetupScript).
[[nodiscard]] Failure ParseSetupScript(std::span<const std::uint8_t> image, SetupScript& script,
                                       std::size_t* parsedLength = nullptr);

#if __cpp_exceptions
// For the authoring tool and the tests, which run with exceptions: the script, or the
// SetupError thrown.
inline SetupScript ParseSetupScript(std::span<const std::uint8_t> image,
                                    std::size_t* parsedLength = nullptr) {
    SetupScript script;
    if (Failure failure = ParseSetupScript(image, script, parsedLength)) {
        throw *failure;
    }
    return script;
}
#endif

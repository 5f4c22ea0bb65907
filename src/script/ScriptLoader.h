#pragma once

#include "script/ScriptModel.h"

#include <cstdint>
#include <span>

inline constexpr std::uint32_t kScriptFormatVersion = 1;
inline constexpr std::size_t kScriptHeaderSize = 6;

// Verifies the version word and the checksum, then reads the body in one forward pass.
// Throws SetupError 8000 (with the reason) when the version or checksum is wrong, when the
// image ends before its fields do, or when a component names an install item that does not
// exist. Bytes after the uninstall entry are ignored; parsedLength, when given, receives the
// offset where the uninstall entry ended (a script with nothing after it is reproduced byte for
// byte by WriteSetupScript).
SetupScript ParseSetupScript(std::span<const std::uint8_t> image,
                             std::size_t* parsedLength = nullptr);

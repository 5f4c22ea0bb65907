#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Checks a program's Authenticode signature with `osslsigncode verify`: it must be intact and
// its certificate chain lead to one of caFile's certificates (PEM), or without caFile to one of
// the system's trusted CAs (osslsigncode checks nothing else without a trusted chain). Returns
// what is wrong ("not signed", "changed after it was signed", the chain, or osslsigncode's own
// message), or nothing when the signature holds. Throws ToolError when osslsigncode is missing.
[[nodiscard]] std::optional<std::string> VerifySignature(const std::filesystem::path& program,
                                                         const std::filesystem::path& caFile);

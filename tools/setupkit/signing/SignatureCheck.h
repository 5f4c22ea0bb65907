#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Checks a program's Authenticode signature with `osslsigncode verify`. With caFile (PEM
// certificates to trust), the signature must be intact and its certificate chain lead to one of
// them. Without one, the program must be signed and unchanged since: its message digest must
// match the one signed; the chain is not judged, since there is nothing to trust it against.
// Returns what is wrong ("not signed", "changed after it was signed", or osslsigncode's own
// message), or nothing when the signature holds. Throws ToolError when osslsigncode is missing.
[[nodiscard]] std::optional<std::string> VerifySignature(const std::filesystem::path& program,
                                                         const std::filesystem::path& caFile);

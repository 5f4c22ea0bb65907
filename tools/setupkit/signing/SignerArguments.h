#pragma once

#include "SigningRequest.h"

#include <filesystem>
#include <string>
#include <vector>

// The arguments of `osslsigncode sign` that sign input into output with a SHA-256
// Authenticode signature. passwordFile: the file osslsigncode reads the password or PIN from
// (-readpass), empty for none; the password itself is never an argument.
[[nodiscard]] std::vector<std::string> SignArguments(const SigningRequest& request, KeyKind kind,
                                                     const std::filesystem::path& passwordFile,
                                                     const std::filesystem::path& input,
                                                     const std::filesystem::path& output);

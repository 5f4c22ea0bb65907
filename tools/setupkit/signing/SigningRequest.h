#pragma once

#include "SigningSettings.h"

#include <filesystem>
#include <string>

// What build is asked to sign with: the settings (the description's [signing] table with
// build's options over it) and where the password or PIN comes from. The password itself is
// read only by osslsigncode, from a file.
struct SigningRequest {
    SigningSettings settings;
    std::filesystem::path passwordFile; // --sign-password-file; empty: none
    std::string passwordVariable;       // --sign-password-env: the variable's name; empty: none
    std::string signingTime; // seconds since 1970 (SOURCE_DATE_EPOCH); empty: the time of signing
};

// Whether anything asks for signing: a setting, or a password (which alone is refused).
[[nodiscard]] bool SigningWanted(const SigningRequest& request);

// The three kinds of key osslsigncode signs with.
enum class KeyKind { Pkcs12, PemFiles, Pkcs11 };

// The kind of key a request names. Throws ToolError, naming the options and [signing] keys,
// when settings contradict each other, a part is missing or a named file is not there.
[[nodiscard]] KeyKind CheckSigningRequest(const SigningRequest& request);

// A key file as osslsigncode is to open it: relative to the folder it was named in.
[[nodiscard]] std::filesystem::path KeyFile(const SigningSettings& settings);

// SOURCE_DATE_EPOCH, when the environment has it, so that a build signs with the time that
// reproducible builds agree on; empty otherwise. Throws ToolError when it is not a number.
[[nodiscard]] std::string SigningTimeFromEnvironment();

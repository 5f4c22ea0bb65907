#pragma once

#include "SigningRequest.h"

#include <string>

// Build's signing options as given on its command line. A key given here (any of the first six)
// replaces the description's [signing] key as a whole; the time-stamp server, name and URL each
// replace their own setting. Paths are relative to the current folder.
struct SigningOptions {
    std::string pkcs12;            // --sign-pkcs12
    std::string certificates;      // --sign-cert
    std::string key;               // --sign-key
    std::string pkcs11Module;      // --sign-pkcs11-module
    std::string pkcs11Engine;      // --sign-pkcs11-engine
    std::string pkcs11Certificate; // --sign-pkcs11-cert
    std::string passwordFile;      // --sign-password-file
    std::string passwordVariable;  // --sign-password-env
    std::string timestamp;         // --timestamp
    std::string name;              // --sign-name
    std::string url;               // --sign-url
};

// The request the options and the description's settings make together, with the signing time
// from SOURCE_DATE_EPOCH. Not checked yet: SignCopies checks it.
[[nodiscard]] SigningRequest SigningRequestFrom(const SigningOptions& options,
                                                const SigningSettings& described);

#pragma once

#include <filesystem>
#include <string>

// How `build` signs SETUP.EXE and KXUN32.EXE (Authenticode): the settings that are no secret,
// from the description's [signing] table or build's options. They are a build setting: the
// compiled script does not hold them, so compile ignores them and dump does not write them.
// Passwords and PINs never come from here.
struct SigningSettings {
    std::filesystem::path pkcs12;       // a PKCS#12 file with the key and its certificates
    std::filesystem::path certificates; // a PEM certificate chain
    std::string key;                    // a PEM key file, or with a PKCS#11 module the key's id
    std::filesystem::path keyFolder;    // what a relative key file is relative to
    std::filesystem::path pkcs11Module; // the token's PKCS#11 module
    std::filesystem::path pkcs11Engine; // the OpenSSL engine that reaches the module, if needed
    std::string pkcs11Certificate;      // the certificate's id on the token
    std::string timestamp;              // an RFC 3161 time-stamp server's URL
    std::string name;                   // the signed program's description
    std::string url;                    // the signed program's web page

    // Whether anything asks for signing.
    [[nodiscard]] bool Any() const {
        return !pkcs12.empty() || !certificates.empty() || !key.empty() || !pkcs11Module.empty() ||
               !pkcs11Engine.empty() || !pkcs11Certificate.empty() || !timestamp.empty() ||
               !name.empty() || !url.empty();
    }
};

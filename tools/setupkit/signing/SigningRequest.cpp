#include "SigningRequest.h"

#include "ToolError.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPkcs12 = "a PKCS#12 file (--sign-pkcs12, [signing] pkcs12)";
constexpr const char* kCertificate = "a certificate file (--sign-cert, [signing] certificate)";
constexpr const char* kKey = "a key (--sign-key, [signing] key)";
constexpr const char* kModule = "a PKCS#11 module (--sign-pkcs11-module, [signing] pkcs11_module)";
constexpr const char* kEngine = "a PKCS#11 engine (--sign-pkcs11-engine, [signing] pkcs11_engine)";
constexpr const char* kTokenCertificate =
    "a token's certificate (--sign-pkcs11-cert, [signing] pkcs11_certificate)";

[[noreturn]] void Refuse(const std::string& problem) {
    throw ToolError("signing: " + problem);
}

void RequireFile(const fs::path& file, const char* what) {
    std::error_code code;
    if (!file.empty() && !fs::is_regular_file(file, code)) {
        Refuse(std::string(what) + ": " + file.string() + " not found");
    }
}

bool IsVariableName(std::string_view name) {
    const auto letter = [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
    };
    return !name.empty() && letter(name.front()) &&
           std::all_of(name.begin(), name.end(), [&](char c) {
               return letter(c) || std::isdigit(static_cast<unsigned char>(c));
           });
}

KeyKind KindOf(const SigningSettings& s) {
    if (!s.pkcs12.empty()) {
        if (!s.certificates.empty() || !s.key.empty() || !s.pkcs11Module.empty() ||
            !s.pkcs11Engine.empty() || !s.pkcs11Certificate.empty()) {
            Refuse(std::string(kPkcs12) + " holds the key and its certificate: give no other key "
                                          "or certificate with it");
        }
        return KeyKind::Pkcs12;
    }
    if (!s.pkcs11Module.empty()) {
        if (s.key.empty()) {
            Refuse(std::string(kModule) + " needs the id of the key on the token: give " + kKey);
        }
        if (s.pkcs11Certificate.empty() == s.certificates.empty()) {
            Refuse(std::string(kModule) + " needs one certificate, either " + kTokenCertificate +
                   " or " + kCertificate);
        }
        return KeyKind::Pkcs11;
    }
    if (!s.pkcs11Engine.empty() || !s.pkcs11Certificate.empty()) {
        Refuse(std::string(s.pkcs11Engine.empty() ? kTokenCertificate : kEngine) +
               " is used only with " + kModule);
    }
    if (s.certificates.empty() || s.key.empty()) {
        Refuse(s.certificates.empty() && s.key.empty()
                   ? std::string("no key to sign with: give ") + kPkcs12 + ", " + kCertificate +
                         " and its key file, or " + kModule
                   : std::string(s.key.empty() ? kCertificate : kKey) + " needs " +
                         (s.key.empty() ? kKey : kCertificate));
    }
    return KeyKind::PemFiles;
}

void CheckPassword(const SigningRequest& request) {
    if (!request.passwordFile.empty() && !request.passwordVariable.empty()) {
        Refuse("give the password either in a file (--sign-password-file) or in an environment "
               "variable (--sign-password-env), not both");
    }
    // A password given by mistake where its file or variable belongs is never repeated.
    std::error_code code;
    if (!request.passwordFile.empty() && !fs::is_regular_file(request.passwordFile, code)) {
        Refuse("--sign-password-file: the file given does not exist (give the file that holds "
               "the password, not the password)");
    }
    const std::string& variable = request.passwordVariable;
    if (!variable.empty() && !IsVariableName(variable)) {
        Refuse("--sign-password-env: give the name of the environment variable that holds the "
               "password, not the password");
    }
    if (!variable.empty() && !std::getenv(variable.c_str())) {
        Refuse("--sign-password-env " + variable + ": the environment has no such variable");
    }
}

} // namespace

bool SigningWanted(const SigningRequest& request) {
    return request.settings.Any() || !request.passwordFile.empty() ||
           !request.passwordVariable.empty();
}

fs::path KeyFile(const SigningSettings& settings) {
    return settings.keyFolder / fs::path(settings.key);
}

KeyKind CheckSigningRequest(const SigningRequest& request) {
    const SigningSettings& s = request.settings;
    const KeyKind kind = KindOf(s);
    RequireFile(s.pkcs12, kPkcs12);
    RequireFile(s.certificates, kCertificate);
    RequireFile(s.pkcs11Module, kModule);
    RequireFile(s.pkcs11Engine, kEngine);
    if (kind == KeyKind::PemFiles) {
        RequireFile(KeyFile(s), kKey);
    }
    const std::string_view timestamp = s.timestamp;
    if (!timestamp.empty() && !timestamp.starts_with("http://") &&
        !timestamp.starts_with("https://")) {
        Refuse("--timestamp " + s.timestamp +
               ": expected the http:// or https:// URL of an "
               "RFC 3161 time-stamp server");
    }
    CheckPassword(request);
    return kind;
}

std::string SigningTimeFromEnvironment() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (!epoch || !*epoch) {
        return {};
    }
    const std::string_view text = epoch;
    if (text.size() > 12 || text.find_first_not_of("0123456789") != std::string_view::npos) {
        Refuse("SOURCE_DATE_EPOCH=" + std::string(text) +
               ": expected a number of seconds since 1970");
    }
    return std::string(text);
}

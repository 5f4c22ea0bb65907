#include "SignerArguments.h"

namespace {

using Arguments = std::vector<std::string>;

void AddIfGiven(Arguments& arguments, const char* option, const std::string& value) {
    if (!value.empty()) {
        arguments.insert(arguments.end(), {option, value});
    }
}

void AddKey(Arguments& arguments, const SigningSettings& s, KeyKind kind) {
    switch (kind) {
    case KeyKind::Pkcs12:
        AddIfGiven(arguments, "-pkcs12", s.pkcs12.string());
        break;
    case KeyKind::PemFiles:
        AddIfGiven(arguments, "-certs", s.certificates.string());
        AddIfGiven(arguments, "-key", KeyFile(s).string());
        break;
    case KeyKind::Pkcs11:
        AddIfGiven(arguments, "-pkcs11engine", s.pkcs11Engine.string());
        AddIfGiven(arguments, "-pkcs11module", s.pkcs11Module.string());
        AddIfGiven(arguments, "-pkcs11cert", s.pkcs11Certificate);
        AddIfGiven(arguments, "-certs", s.certificates.string());
        AddIfGiven(arguments, "-key", s.key);
        break;
    }
}

} // namespace

std::vector<std::string> SignArguments(const SigningRequest& request, KeyKind kind,
                                       const std::filesystem::path& passwordFile,
                                       const std::filesystem::path& input,
                                       const std::filesystem::path& output) {
    const SigningSettings& s = request.settings;
    Arguments arguments{"sign"};
    AddKey(arguments, s, kind);
    AddIfGiven(arguments, "-readpass", passwordFile.string());
    arguments.insert(arguments.end(), {"-h", "sha256"});
    AddIfGiven(arguments, "-n", s.name);
    AddIfGiven(arguments, "-i", s.url);
    AddIfGiven(arguments, "-ts", s.timestamp);
    AddIfGiven(arguments, "-time", request.signingTime);
    arguments.insert(arguments.end(), {"-in", input.string(), "-out", output.string()});
    return arguments;
}

#include "SigningOptions.h"

namespace {

template <typename Setting> void Override(Setting& setting, const std::string& option) {
    if (!option.empty()) {
        setting = Setting(option);
    }
}

bool NamesAKey(const SigningOptions& o) {
    return !o.pkcs12.empty() || !o.certificates.empty() || !o.key.empty() ||
           !o.pkcs11Module.empty() || !o.pkcs11Engine.empty() || !o.pkcs11Certificate.empty();
}

// The key the options name, in place of the description's.
void TakeKey(SigningSettings& s, const SigningOptions& options) {
    s.pkcs12 = options.pkcs12;
    s.certificates = options.certificates;
    s.key = options.key;
    s.keyFolder.clear();
    s.pkcs11Module = options.pkcs11Module;
    s.pkcs11Engine = options.pkcs11Engine;
    s.pkcs11Certificate = options.pkcs11Certificate;
}

} // namespace

SigningRequest SigningRequestFrom(const SigningOptions& options, const SigningSettings& described) {
    SigningRequest request;
    SigningSettings& s = request.settings;
    s = described;
    if (NamesAKey(options)) {
        TakeKey(s, options);
    }
    Override(s.timestamp, options.timestamp);
    Override(s.name, options.name);
    Override(s.url, options.url);
    request.passwordFile = options.passwordFile;
    request.passwordVariable = options.passwordVariable;
    if (SigningWanted(request)) {
        request.signingTime = SigningTimeFromEnvironment();
    }
    return request;
}

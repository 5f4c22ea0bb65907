#include "DescriptionReader.h"

// [signing]: how build signs SETUP.EXE and KXUN32.EXE. A build setting, not a part of the
// compiled script: it is read here and handed to build, and no writer puts it back, so that
// compile and dump are what they are without it. Secrets (passwords, PINs) are not accepted
// here; build takes them from a file or an environment variable.

namespace {

struct SigningKeys {
    static constexpr std::string_view kPkcs12 = "pkcs12";
    static constexpr std::string_view kCertificate = "certificate";
    static constexpr std::string_view kKey = "key";
    static constexpr std::string_view kPkcs11Module = "pkcs11_module";
    static constexpr std::string_view kPkcs11Engine = "pkcs11_engine";
    static constexpr std::string_view kPkcs11Certificate = "pkcs11_certificate";
    static constexpr std::string_view kTimestamp = "timestamp";
    static constexpr std::string_view kName = "name";
    static constexpr std::string_view kUrl = "url";
};

} // namespace

std::filesystem::path DescriptionReader::SigningPath(const toml::table& table,
                                                     std::string_view key) const {
    const toml::node* node = table.get(key);
    if (!node) {
        return {};
    }
    const std::string field = Join(TableNames::kSigning, key);
    const std::string& text = StringNode(*node, field);
    if (text.empty()) {
        Fail(LineOf(*node), field, "expected a file name, not an empty text");
    }
    return baseDirectory_ / std::filesystem::path(text);
}

void DescriptionReader::ReadSigning(const toml::table& root) {
    using K = SigningKeys;
    const std::string_view path = TableNames::kSigning;
    const toml::table* table = Table(root, "", path);
    if (!table) {
        return;
    }
    Keys(*table, path,
         {K::kPkcs12, K::kCertificate, K::kKey, K::kPkcs11Module, K::kPkcs11Engine,
          K::kPkcs11Certificate, K::kTimestamp, K::kName, K::kUrl});
    const auto text = [&](std::string_view key) -> std::string {
        const toml::node* node = table->get(key);
        return node ? StringNode(*node, Join(path, key)) : std::string();
    };
    SigningSettings& signing = description_.signing;
    signing.pkcs12 = SigningPath(*table, K::kPkcs12);
    signing.certificates = SigningPath(*table, K::kCertificate);
    signing.pkcs11Module = SigningPath(*table, K::kPkcs11Module);
    signing.pkcs11Engine = SigningPath(*table, K::kPkcs11Engine);
    // A key file is relative to the description; a token's key id is taken as it stands.
    signing.key = text(K::kKey);
    signing.keyFolder = baseDirectory_;
    signing.pkcs11Certificate = text(K::kPkcs11Certificate);
    signing.timestamp = text(K::kTimestamp);
    signing.name = text(K::kName);
    signing.url = text(K::kUrl);
}

#include "ToolError.h"
#include "signing/SignerArguments.h"
#include "signing/SigningOptions.h"
#include "signing/SigningRequest.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The message CheckSigningRequest refuses a request with, or "" when it takes it.
std::string Refusal(const SigningRequest& request) {
    try {
        (void)CheckSigningRequest(request);
        return "";
    } catch (const ToolError& error) {
        return error.what();
    }
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The value an argument list gives option, or "" when it has none.
std::string ValueOf(const std::vector<std::string>& arguments, const std::string& option) {
    const auto found = std::find(arguments.begin(), arguments.end(), option);
    return found == arguments.end() || found + 1 == arguments.end() ? "" : *(found + 1);
}

} // namespace

TEST(SigningRequest, RefusesIncompleteAndContradictoryKeys) {
    ScratchFolder folder;
    folder.Write("module.so");
    SigningRequest token;
    token.settings.pkcs11Module = folder.Path() / "module.so";
    EXPECT_TRUE(Contains(Refusal(token), "needs the id of the key"));
    token.settings.key = "pkcs11:object=signer";
    EXPECT_TRUE(Contains(Refusal(token), "needs one certificate"));
    token.settings.pkcs11Certificate = "pkcs11:object=signer-cert";
    EXPECT_EQ(Refusal(token), "");
    token.passwordFile = folder.Path() / "pin";
    token.passwordVariable = "PIN";
    EXPECT_TRUE(Contains(Refusal(token), "not both"));

    SigningRequest engineAlone;
    engineAlone.settings.pkcs11Engine = folder.Path() / "module.so";
    EXPECT_TRUE(Contains(Refusal(engineAlone), "only with a PKCS#11 module"));
    SigningRequest missingFile;
    missingFile.settings.pkcs12 = folder.Path() / "absent.p12";
    EXPECT_TRUE(Contains(Refusal(missingFile), "absent.p12 not found"));
}

TEST(SigningRequest, OptionKeyReplacesTheDescribedKeyWhole) {
    SigningSettings described;
    described.certificates = "/described/code.pem";
    described.key = "code.key";
    described.keyFolder = "/described";
    described.name = "Described";
    SigningOptions options;
    options.pkcs12 = "given.p12";
    const SigningRequest request = SigningRequestFrom(options, described);
    EXPECT_EQ(request.settings.pkcs12, "given.p12");
    EXPECT_TRUE(request.settings.certificates.empty());
    EXPECT_TRUE(request.settings.key.empty());
    EXPECT_EQ(request.settings.name, "Described");
}

TEST(SignerArguments, TokenKeyAndPasswordFileWithoutThePassword) {
    SigningRequest request;
    request.settings.pkcs11Module = "/usr/lib/token.so";
    request.settings.pkcs11Engine = "/usr/lib/engine.so";
    request.settings.key = "pkcs11:object=signer";
    request.settings.certificates = "chain.pem";
    request.settings.timestamp = "http://tsa.example/";
    request.signingTime = "1700000000";
    const std::vector<std::string> arguments =
        SignArguments(request, KeyKind::Pkcs11, "/private/pin", "in.exe", "out.exe");
    EXPECT_EQ(arguments.front(), "sign");
    EXPECT_EQ(ValueOf(arguments, "-pkcs11module"), "/usr/lib/token.so");
    EXPECT_EQ(ValueOf(arguments, "-pkcs11engine"), "/usr/lib/engine.so");
    EXPECT_EQ(ValueOf(arguments, "-key"), "pkcs11:object=signer");
    EXPECT_EQ(ValueOf(arguments, "-certs"), "chain.pem");
    EXPECT_EQ(ValueOf(arguments, "-readpass"), "/private/pin");
    EXPECT_EQ(ValueOf(arguments, "-h"), "sha256");
    EXPECT_EQ(ValueOf(arguments, "-ts"), "http://tsa.example/");
    EXPECT_EQ(ValueOf(arguments, "-time"), "1700000000");
    EXPECT_EQ(ValueOf(arguments, "-in"), "in.exe");
    EXPECT_EQ(ValueOf(arguments, "-out"), "out.exe");
    EXPECT_EQ(ValueOf(arguments, "-pkcs11cert"), "");
    EXPECT_EQ(ValueOf(arguments, "-n"), "");
}

TEST(SignerArguments, PemKeyFileIsRelativeToItsFolder) {
    SigningRequest request;
    request.settings.certificates = "/product/code.pem";
    request.settings.key = "keys/code.key";
    request.settings.keyFolder = "/product";
    const std::vector<std::string> arguments =
        SignArguments(request, KeyKind::PemFiles, "", "in.exe", "out.exe");
    EXPECT_EQ(ValueOf(arguments, "-key"), "/product/keys/code.key");
    EXPECT_EQ(std::count(arguments.begin(), arguments.end(), "-readpass"), 0);
}

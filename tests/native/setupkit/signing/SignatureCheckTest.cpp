#include "signing/CapturedRun.h"
#include "signing/SignatureCheck.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool Runs(const std::vector<std::string>& arguments) {
    const CapturedRun run = RunCaptured(arguments);
    EXPECT_TRUE(run.started && run.exitCode == 0) << arguments[0] << ": " << run.output;
    return run.started && run.exitCode == 0;
}

// A self-signed code-signing certificate and its key, name.pem and name.key in folder.
bool MakeSigner(const fs::path& folder, const std::string& name) {
    const std::string base = (folder / name).string();
    return Runs({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                 "-keyout", base + ".key", "-out", base + ".pem", "-subj", "/CN=" + name, "-addext",
                 "extendedKeyUsage=codeSigning"});
}

} // namespace

// The shipped SETUP.EXE (SIGNING_TEST_PROGRAM), signed by osslsigncode with a self-signed key:
// what VerifySignature says of it signed, unsigned, changed and against another CA.
TEST(SignatureCheck, TellsSignedUnsignedAndChangedPrograms) {
    const fs::path program = SIGNING_TEST_PROGRAM;
    if (!fs::exists(program) || !RunCaptured({"osslsigncode", "--version"}).started ||
        !RunCaptured({"openssl", "version"}).started) {
        GTEST_SKIP() << "needs " << program << ", osslsigncode and openssl";
    }
    ScratchFolder folder;
    ASSERT_TRUE(MakeSigner(folder.Path(), "signer") && MakeSigner(folder.Path(), "stranger"));
    const fs::path signedProgram = folder.Path() / "SETUP.EXE";
    ASSERT_TRUE(Runs({"osslsigncode", "sign", "-certs", (folder.Path() / "signer.pem").string(),
                      "-key", (folder.Path() / "signer.key").string(), "-h", "sha256", "-in",
                      program.string(), "-out", signedProgram.string()}));

    EXPECT_EQ(VerifySignature(program, ""), "not signed");
    // A private CA is no CA the system trusts: without it, nothing vouches for the signature.
    EXPECT_NE(VerifySignature(signedProgram, ""), std::nullopt);
    EXPECT_EQ(VerifySignature(signedProgram, folder.Path() / "signer.pem"), std::nullopt);
    EXPECT_NE(VerifySignature(signedProgram, folder.Path() / "stranger.pem"), std::nullopt);

    const fs::path changed = folder.Path() / "CHANGED.EXE";
    fs::copy_file(signedProgram, changed);
    std::fstream file(changed, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(4096);
    file.put('\x5a');
    file.close();
    const std::optional<std::string> fault = VerifySignature(changed, folder.Path() / "signer.pem");
    ASSERT_TRUE(fault.has_value());
    EXPECT_NE(fault->find("changed after it was signed"), std::string::npos) << *fault;
}

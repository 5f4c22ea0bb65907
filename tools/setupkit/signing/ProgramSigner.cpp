#include "ProgramSigner.h"

#include "CapturedRun.h"
#include "Osslsigncode.h"
#include "SignerArguments.h"
#include "ToolError.h"

#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

// Where osslsigncode reads the password from: the user's own file, or, for a password in an
// environment variable, a pipe on descriptor 3 that holds it (never a file, never an argument).
struct PasswordSource {
    fs::path path; // for -readpass; empty: no password
    std::string secret;
};

PasswordSource PasswordOf(const SigningRequest& request) {
    if (!request.passwordVariable.empty()) {
        return {"/dev/fd/" + std::to_string(kSecretDescriptor),
                std::getenv(request.passwordVariable.c_str())};
    }
    return {request.passwordFile, {}};
}

fs::path SignCopy(const SigningRequest& request, KeyKind kind, const PasswordSource& password,
                  const fs::path& program, const fs::path& copyFolder) {
    std::error_code code;
    if (!fs::is_regular_file(program, code)) {
        throw ToolError("cannot sign " + program.string() + ": not found");
    }
    if (!fs::create_directory(copyFolder, code) && code) {
        throw ToolError(copyFolder.string() + ": cannot create: " + code.message());
    }
    const fs::path copy = copyFolder / program.filename();
    const OsslsigncodeResult result = RunOsslsigncode(
        SignArguments(request, kind, password.path, program, copy), password.secret);
    if (!result.succeeded || !fs::is_regular_file(copy, code)) {
        throw ToolError("cannot sign " + program.string() + ": osslsigncode sign failed:\n  " +
                        OutputForMessage(result.output));
    }
    // The disks keep their files' times, which the installer compares when it replaces only
    // older files: the signed copy is the program of its original's time.
    const fs::file_time_type time = fs::last_write_time(program, code);
    if (!code) {
        fs::last_write_time(copy, time, code);
    }
    if (code) {
        throw ToolError(copy.string() + ": cannot give it its original's time: " + code.message());
    }
    return copy;
}

} // namespace

SignedCopies SignCopies(const SigningRequest& request, const std::vector<fs::path>& programs) {
    const KeyKind kind = CheckSigningRequest(request);
    SignedCopies copies{std::make_unique<PrivateFolder>(), {}};
    const PasswordSource password = PasswordOf(request);
    for (std::size_t i = 0; i < programs.size(); ++i) {
        // A folder for each copy, so that two programs of one name never meet.
        const fs::path copyFolder = copies.folder->Path() / ("program" + std::to_string(i + 1));
        copies.programs.push_back(SignCopy(request, kind, password, programs[i], copyFolder));
    }
    return copies;
}

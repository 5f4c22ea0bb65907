#include "ProgramSigner.h"

#include "Osslsigncode.h"
#include "SignerArguments.h"
#include "ToolError.h"

#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

// The file osslsigncode reads the password from while the programs are signed: the user's own,
// or one written from the environment variable and removed when this goes.
class PasswordFile {
public:
    PasswordFile(const SigningRequest& request, const fs::path& folder) {
        if (!request.passwordVariable.empty()) {
            written_ = folder / "password";
            WritePrivateFile(written_, std::getenv(request.passwordVariable.c_str()));
            path_ = written_;
        } else {
            path_ = request.passwordFile;
        }
    }
    ~PasswordFile() {
        std::error_code code;
        if (!written_.empty()) {
            fs::remove(written_, code);
        }
    }
    PasswordFile(const PasswordFile&) = delete;
    PasswordFile& operator=(const PasswordFile&) = delete;

    [[nodiscard]] const fs::path& Path() const { return path_; }

private:
    fs::path path_;
    fs::path written_;
};

fs::path SignCopy(const SigningRequest& request, KeyKind kind, const fs::path& password,
                  const fs::path& program, const fs::path& copyFolder) {
    std::error_code code;
    if (!fs::is_regular_file(program, code)) {
        throw ToolError("cannot sign " + program.string() + ": not found");
    }
    if (!fs::create_directory(copyFolder, code) && code) {
        throw ToolError(copyFolder.string() + ": cannot create: " + code.message());
    }
    const fs::path copy = copyFolder / program.filename();
    const OsslsigncodeResult result =
        RunOsslsigncode(SignArguments(request, kind, password, program, copy));
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
    const PasswordFile password(request, copies.folder->Path());
    for (std::size_t i = 0; i < programs.size(); ++i) {
        // A folder for each copy, so that two programs of one name never meet.
        const fs::path copyFolder = copies.folder->Path() / ("program" + std::to_string(i + 1));
        copies.programs.push_back(
            SignCopy(request, kind, password.Path(), programs[i], copyFolder));
    }
    return copies;
}

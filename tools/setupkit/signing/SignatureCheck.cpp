#include "SignatureCheck.h"

#include "Osslsigncode.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool Says(const std::string& output, std::string_view text) {
    return output.find(text) != std::string::npos;
}

// Without a trust anchor osslsigncode checks the chain against the system's certificates and
// fails for any other issuer, saying so as a certificate verify error. Only a failure of that
// kind alone leaves the signature standing: the program is signed and its digest matches.
bool OnlyTheChainFailed(const std::string& output) {
    const bool chainFailed = Says(output, "certificate verify error") ||
                             Says(output, "Failed signing certificate chain");
    return chainFailed && Says(output, "Calculated message digest") && !Says(output, "MISMATCH") &&
           !Says(output, "signature failure") && !Says(output, "digest failure");
}

// The lines of osslsigncode's report that say what failed, or the whole report when none does.
std::string FaultLines(const std::string& output) {
    std::string lines;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = std::min(output.find('\n', start), output.size());
        const std::string_view line(output.data() + start, end - start);
        if (Says(std::string(line), "rror") || Says(std::string(line), "ail")) {
            lines += std::string(line) + "\n";
        }
        start = end + 1;
    }
    return OutputForMessage(lines.empty() ? output : lines);
}

} // namespace

std::optional<std::string> VerifySignature(const std::filesystem::path& program,
                                           const std::filesystem::path& caFile) {
    std::vector<std::string> arguments{"verify", "-in", program.string()};
    if (!caFile.empty()) {
        arguments.insert(arguments.end(), {"-CAfile", caFile.string()});
    }
    const OsslsigncodeResult result = RunOsslsigncode(arguments);
    if (result.succeeded) {
        return std::nullopt;
    }
    const std::string& output = result.output;
    if (Says(output, "No signature found")) {
        return "not signed";
    }
    if (Says(output, "MISMATCH")) {
        return "changed after it was signed (its message digest does not match the signed one)";
    }
    if (caFile.empty() && OnlyTheChainFailed(output)) {
        return std::nullopt;
    }
    return "the signature does not hold: " + FaultLines(output);
}

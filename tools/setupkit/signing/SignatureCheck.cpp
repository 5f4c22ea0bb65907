#include "SignatureCheck.h"

#include "Osslsigncode.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool Says(const std::string& output, std::string_view text) {
    return output.find(text) != std::string::npos;
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

// Why osslsigncode found the chain wanting: ": self-signed certificate", or nothing.
std::string ChainReason(const std::string& output) {
    constexpr std::string_view kError = "Error: ";
    const std::size_t at = output.find(kError);
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + kError.size();
    return ": " + output.substr(start, output.find('\n', start) - start);
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
    // Without its CA, the signature cannot be checked at all: osslsigncode stops at the chain.
    if (Says(output, "certificate verify error") ||
        Says(output, "Failed signing certificate chain")) {
        return std::string(caFile.empty() ? "its certificate does not lead to a CA this system "
                                            "trusts (give the CA that issued it with --ca)"
                                          : "its certificate does not lead to the CA given") +
               ChainReason(output);
    }
    return "the signature does not hold: " + FaultLines(output);
}

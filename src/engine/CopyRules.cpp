#include "engine/CopyRules.h"

namespace {

// The header of a compressed file: the signature "SZDD" 88 F0 27 33, the mode "A", the
// character the compressed name replaced and the expanded length (32 bits).
constexpr std::string_view kCompressedSignature{"SZDD\x88\xF0\x27\x33", 8};
constexpr std::uint64_t kCompressedHeaderSize = 14;

} // namespace

VersionInstallStep NextVersionInstallStep(std::uint32_t result, ReadOnlyCleared cleared) {
    if (result == 0) {
        return VersionInstallStep::Done;
    }
    if (result & kVersionInUseBits) {
        return VersionInstallStep::AskInUse;
    }
    if ((result & kVersionWriteProtected) && cleared == ReadOnlyCleared::No) {
        return VersionInstallStep::ClearReadOnly;
    }
    return VersionInstallStep::Fail;
}

bool IsDamagedCompressedHeader(std::string_view head, std::uint64_t size) {
    if (head.substr(0, 2) != kCompressedSignature.substr(0, 2)) {
        return false;
    }
    return size < kCompressedHeaderSize ||
           head.substr(0, kCompressedSignature.size()) != kCompressedSignature;
}

bool HasCompressedSignature(std::string_view head) {
    return head.substr(0, kCompressedSignature.size()) == kCompressedSignature;
}

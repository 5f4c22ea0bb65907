#include "engine/CopyRules.h"

VersionInstallStep NextVersionInstallStep(std::uint32_t result) {
    if (result == 0) {
        return VersionInstallStep::Done;
    }
    if (result & kVersionInUseBits) {
        return VersionInstallStep::AskInUse;
    }
    if (result & kVersionWriteProtected) {
        return VersionInstallStep::ClearReadOnly;
    }
    return VersionInstallStep::Fail;
}

#include "engine/CopyRules.h"

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

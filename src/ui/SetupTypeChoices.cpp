#include "ui/SetupTypeChoices.h"

#include "engine/Accounting.h"

#include <optional>

std::array<ChoicePlacement, 3> CompactSetupChoices(const std::array<ChoiceSlot, 3>& slots,
                                                   OfferedTypes offered) {
    std::array<ChoicePlacement, 3> placement{};
    // The topmost slot left empty so far: the next shown choice below it moves there.
    std::optional<ChoiceSlot> freeSlot;
    const bool shown[] = {offered.typical, offered.minimal, offered.custom};
    for (int choice = kChoiceTypical; choice <= kChoiceCustom; ++choice) {
        if (!shown[choice]) {
            if (!freeSlot) {
                freeSlot = slots[choice];
            }
            continue;
        }
        placement[choice].shown = true;
        if (freeSlot) {
            placement[choice].slot = *freeSlot;
            freeSlot = slots[choice];
        } else {
            placement[choice].slot = slots[choice];
        }
    }
    return placement;
}

std::uint32_t InitialSetupChoice(std::uint32_t setupType, OfferedTypes offered) {
    const bool typeOffered = (setupType == kSetupTypical && offered.typical) ||
                             (setupType == kSetupMinimal && offered.minimal) ||
                             (setupType == kSetupCustom && offered.custom);
    if (typeOffered) {
        return setupType;
    }
    if (offered.typical) {
        return kSetupTypical;
    }
    if (offered.minimal) {
        return kSetupMinimal;
    }
    if (offered.custom) {
        return kSetupCustom;
    }
    return setupType;
}

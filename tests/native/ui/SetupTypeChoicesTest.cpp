#include "engine/Accounting.h"
#include "ui/SetupTypeChoices.h"

#include <gtest/gtest.h>

namespace {

// The template's three slots, top to bottom (icons at x 115, buttons at x 148).
const std::array<ChoiceSlot, 3> kSlots = {{
    {{173, 75, 200, 107}, {222, 76, 449, 107}},
    {{173, 119, 200, 151}, {222, 120, 449, 151}},
    {{173, 166, 200, 198}, {222, 167, 449, 198}},
}};

ChoicePlacement Shown(int slot) {
    return {true, kSlots[slot]};
}
const ChoicePlacement kHidden{};

std::array<ChoicePlacement, 3> Compact(bool typical, bool minimal, bool custom) {
    return CompactSetupChoices(kSlots, {typical, minimal, custom});
}

} // namespace

TEST(SetupTypeChoices, AllOfferedStayInPlace) {
    EXPECT_EQ(Compact(true, true, true), (std::array{Shown(0), Shown(1), Shown(2)}));
}

TEST(SetupTypeChoices, TypicalAbsentMovesMinimalToTopAndCustomToMiddle) {
    EXPECT_EQ(Compact(false, true, true), (std::array{kHidden, Shown(0), Shown(1)}));
    EXPECT_EQ(Compact(false, true, false), (std::array{kHidden, Shown(0), kHidden}));
}

TEST(SetupTypeChoices, MinimalAbsentMovesCustomUpOne) {
    EXPECT_EQ(Compact(true, false, true), (std::array{Shown(0), kHidden, Shown(1)}));
}

TEST(SetupTypeChoices, CustomAbsentLeavesThirdSlotEmpty) {
    EXPECT_EQ(Compact(true, true, false), (std::array{Shown(0), Shown(1), kHidden}));
    EXPECT_EQ(Compact(true, false, false), (std::array{Shown(0), kHidden, kHidden}));
}

TEST(SetupTypeChoices, CustomAloneGoesToTop) {
    EXPECT_EQ(Compact(false, false, true), (std::array{kHidden, kHidden, Shown(0)}));
}

TEST(SetupTypeChoices, NothingOfferedHidesAll) {
    EXPECT_EQ(Compact(false, false, false), (std::array{kHidden, kHidden, kHidden}));
}

TEST(SetupTypeChoices, CheckedChoiceIsTheSetupTypeWhenOffered) {
    EXPECT_EQ(InitialSetupChoice(kSetupTypical, {true, true, true}), kSetupTypical);
    EXPECT_EQ(InitialSetupChoice(kSetupMinimal, {true, true, true}), kSetupMinimal);
    EXPECT_EQ(InitialSetupChoice(kSetupCustom, {false, true, true}), kSetupCustom);
}

TEST(SetupTypeChoices, HiddenSetupTypeGivesFirstOfferedChoice) {
    // The start value Typical with Typical not offered: the top visible choice is checked.
    EXPECT_EQ(InitialSetupChoice(kSetupTypical, {false, true, true}), kSetupMinimal);
    EXPECT_EQ(InitialSetupChoice(kSetupTypical, {false, false, true}), kSetupCustom);
    EXPECT_EQ(InitialSetupChoice(kSetupMinimal, {true, false, true}), kSetupTypical);
    EXPECT_EQ(InitialSetupChoice(kSetupCustom, {false, true, false}), kSetupMinimal);
    // Nothing offered: the page is never shown; the value is left alone.
    EXPECT_EQ(InitialSetupChoice(kSetupMinimal, {false, false, false}), kSetupMinimal);
}

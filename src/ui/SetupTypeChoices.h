#pragma once

#include <array>
#include <cstdint>

// The setup-type page shows up to three choices (Typical, Minimal, Custom), each an icon and
// a radio button, in three slots from top to bottom. Choices the script does not offer are
// hidden and the others move up, keeping their order.

struct ChoiceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const ChoiceRect&, const ChoiceRect&) = default;
};

// Where one choice's icon and button sit, in page client coordinates.
struct ChoiceSlot {
    ChoiceRect icon;
    ChoiceRect button;
    friend bool operator==(const ChoiceSlot&, const ChoiceSlot&) = default;
};

enum SetupChoice { kChoiceTypical = 0, kChoiceMinimal = 1, kChoiceCustom = 2 };

struct OfferedTypes {
    bool typical = false;
    bool minimal = false;
    bool custom = false;
};

struct ChoicePlacement {
    bool shown = false;
    ChoiceSlot slot; // meaningful only when shown; a choice that stays keeps its own slot
    friend bool operator==(const ChoicePlacement&, const ChoicePlacement&) = default;
};

// Given the template's slots (index by SetupChoice), where each choice goes.
std::array<ChoicePlacement, 3> CompactSetupChoices(const std::array<ChoiceSlot, 3>& slots,
                                                   OfferedTypes offered);

// The radio button to check when the page opens: the current setup type (1042 Typical, 1043
// Minimal, 1044 Custom) when the script offers it, otherwise the first offered type, so that a
// hidden button is never the checked one. With nothing offered the setup type stays.
std::uint32_t InitialSetupChoice(std::uint32_t setupType, OfferedTypes offered);

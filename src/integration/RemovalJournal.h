#pragma once

#include "integration/UndoPlan.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Which steps of a removal are done, kept in the product's uninstall entry (a bit per step of
// the plan, with the plan's signature), so that a removal run again after a stop never repeats
// one: a shared count is never lowered twice. An installation over a removal that was stopped
// reads it too, to carry forward only the counts still raised.
class RemovalJournal {
public:
    RemovalJournal(std::string entryKeyName, const UndoPlan& plan);

    // False when the entry holds the journal of another plan (a removal begun by another
    // version of the uninstaller): its steps cannot be told apart.
    [[nodiscard]] bool Matches() const { return matches_; }
    [[nodiscard]] bool IsDone(std::size_t step) const;
    // Notes the step as done in the entry at once.
    void MarkDone(std::size_t step);

private:
    std::string entryKey_;
    std::string signature_;
    std::vector<std::uint8_t> bits_;
    bool matches_ = true;
};

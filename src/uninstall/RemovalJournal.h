#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Which steps of a removal are done, kept in the product's uninstall entry (a bit per step of
// the plan, which the record fixes), so that a removal run again after a stop never repeats
// one: a shared count is never lowered twice.
class RemovalJournal {
public:
    RemovalJournal(std::string entryKeyName, std::size_t steps);

    [[nodiscard]] bool IsDone(std::size_t step) const;
    // Notes the step as done in the entry at once.
    void MarkDone(std::size_t step);

private:
    std::string entryKey_;
    std::vector<std::uint8_t> bits_;
};

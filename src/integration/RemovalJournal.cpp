#include "integration/RemovalJournal.h"

#include "integration/RegistryEntries.h"
#include "integration/RemovalRecordStore.h"

#include <windows.h>

namespace {

std::string EntryPath(const std::string& keyName) {
    return std::string(kUninstallKeyPath) + "\\" + keyName;
}

} // namespace

RemovalJournal::RemovalJournal(std::string entryKeyName, const UndoPlan& plan)
    : entryKey_(std::move(entryKeyName)), signature_(PlanSignature(plan)),
      bits_((plan.steps.size() + 7) / 8, 0) {
    const UniqueRegKey key = OpenRegistryKey(HKEY_LOCAL_MACHINE, EntryPath(entryKey_), KEY_READ);
    const std::optional<RegistryData> stored =
        key ? ReadRegistryValue(key.get(), kRemovalJournalValue) : std::nullopt;
    if (!stored) {
        return;
    }
    matches_ = stored->type == REG_BINARY &&
               stored->data.size() == signature_.size() + bits_.size() &&
               stored->data.starts_with(signature_);
    if (matches_) {
        for (std::size_t i = 0; i < bits_.size(); ++i) {
            bits_[i] = static_cast<std::uint8_t>(stored->data[signature_.size() + i]);
        }
    }
}

bool RemovalJournal::IsDone(std::size_t step) const {
    return step / 8 < bits_.size() && (bits_[step / 8] >> (step % 8) & 1) != 0;
}

void RemovalJournal::MarkDone(std::size_t step) {
    if (step / 8 >= bits_.size()) {
        return;
    }
    bits_[step / 8] = static_cast<std::uint8_t>(bits_[step / 8] | 1u << (step % 8));
    std::string data = signature_;
    data.append(bits_.begin(), bits_.end());
    if (const UniqueRegKey key =
            OpenRegistryKey(HKEY_LOCAL_MACHINE, EntryPath(entryKey_), KEY_SET_VALUE)) {
        RegSetValueExA(key.get(), kRemovalJournalValue, 0, REG_BINARY,
                       reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    }
}

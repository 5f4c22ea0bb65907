#include "uninstall/RemovalJournal.h"

#include "common/Win32Handles.h"
#include "integration/RemovalRecordStore.h"

#include <windows.h>

namespace {

UniqueRegKey OpenEntry(const std::string& keyName, REGSAM access) {
    HKEY key = nullptr;
    const std::string path = std::string(kUninstallKeyPath) + "\\" + keyName;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return {};
    }
    return UniqueRegKey(key);
}

} // namespace

RemovalJournal::RemovalJournal(std::string entryKeyName, std::size_t steps)
    : entryKey_(std::move(entryKeyName)), bits_((steps + 7) / 8, 0) {
    const UniqueRegKey key = OpenEntry(entryKey_, KEY_QUERY_VALUE);
    DWORD type = 0;
    auto size = static_cast<DWORD>(bits_.size());
    std::vector<std::uint8_t> stored(bits_.size());
    // A journal of another length belongs to no plan of this record: nothing is done.
    if (key && !bits_.empty() &&
        RegQueryValueExA(key.get(), kRemovalJournalValue, nullptr, &type, stored.data(), &size) ==
            ERROR_SUCCESS &&
        type == REG_BINARY && size == bits_.size()) {
        bits_ = stored;
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
    if (const UniqueRegKey key = OpenEntry(entryKey_, KEY_SET_VALUE)) {
        RegSetValueExA(key.get(), kRemovalJournalValue, 0, REG_BINARY, bits_.data(),
                       static_cast<DWORD>(bits_.size()));
    }
}

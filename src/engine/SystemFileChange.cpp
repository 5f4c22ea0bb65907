#include "engine/SystemFileChange.h"

#include "engine/SystemFileChangeArguments.h"

#include <array>
#include <cstring>

void ApplySystemFileChange(const SystemFileChange& record,
                           MakeSystemFileChangeFunction makeChange) {
    if (!makeChange) {
        return;
    }
    const SystemFileChangeArguments arguments =
        SystemFileChangeArgumentsFor(record.changeType, record.value.View());
    // The library gets a copy of the text: whatever it does with the buffer, the script keeps
    // its own.
    std::array<char, FixedText::kFieldSize> text{};
    const std::string_view value = record.value.View();
    std::memcpy(text.data(), value.data(), value.size());
    makeChange(static_cast<LONG>(record.changeType),
               arguments.text == ChangeText::Value ? text.data() : nullptr, arguments.first,
               arguments.second, 0, 0);
}

#include "ui/FormatThousands.h"

#include "ui/ThousandsGrouping.h"

#include <windows.h>

std::string FormatThousands(std::uint32_t value) {
    // Room for one character: the separator is a single character, whatever the value holds.
    char separator[2] = {};
    GetProfileStringA("intl", "sThousand", ",", separator, sizeof separator);
    return GroupThousands(value, separator);
}

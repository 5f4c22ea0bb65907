#pragma once

#include <cstdint>
#include <string>

// The decimal text of value with the user's thousands separator: the first character of
// sThousand in the [intl] section of WIN.INI, "," when the key is missing, none when empty.
std::string FormatThousands(std::uint32_t value);

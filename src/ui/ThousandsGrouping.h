#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The decimal text of value with a separator between groups of three digits, counted from the
// right. separatorSetting is the [intl] sThousand value as read: only its first character is
// used, and an empty value groups nothing (1234567 stays 1234567).
std::string GroupThousands(std::uint32_t value, std::string_view separatorSetting);

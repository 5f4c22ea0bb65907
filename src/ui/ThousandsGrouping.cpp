#include "ui/ThousandsGrouping.h"

#include <algorithm>
#include <iterator>

std::string GroupThousands(std::uint32_t value, std::string_view separatorSetting) {
    const std::string digits = std::to_string(value);
    const bool grouped = !separatorSetting.empty() && separatorSetting.front() != '\0';

    // Built backwards, from the last digit to the first, then turned round: a separator goes
    // after every third digit copied as long as more digits follow.
    std::string text;
    text.reserve(digits.size() + digits.size() / 3);
    std::size_t copied = 0;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
        text.push_back(*digit);
        ++copied;
        if (grouped && copied % 3 == 0 && std::next(digit) != digits.rend()) {
            text.push_back(separatorSetting.front());
        }
    }
    std::reverse(text.begin(), text.end());
    return text;
}

#pragma once

#include <string>

namespace robot {

// The text in double quotes with \n, \r, \t, \0, quotes and backslashes escaped, as the
// transcript and the scenario messages show texts.
std::string Quoted(const std::string& text);

} // namespace robot

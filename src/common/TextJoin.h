#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The parts one after another: one call and one allocation, where a chain of + on strings
// builds a temporary, and the code to copy it, at every step.
[[nodiscard]] std::string Joined(std::initializer_list<std::string_view> parts);

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program manager answers the "Groups" request with one group name per line, each line
// ending in CR LF. The answer is text up to its terminating NUL; one without a NUL ends at
// its returned size and is never read beyond it.
//
// Lines are split at line feeds; each line is cut at its last carriage return; lines that
// hold nothing then are passed over. The names keep the order in which they came.
std::vector<std::string> SplitGroupNames(std::string_view answer);

#pragma once

#include "script/SetupError.h"

#include <cstdint>

// The code of a step's failure; 0 when the step succeeded.
inline std::uint32_t FailureCode(const Failure& failure) {
    return failure ? failure->code() : 0;
}

#pragma once

#include <memory>

// Puts an object back to how its default constructor leaves it, in place: smaller code than
// assigning a new object, which needs a move assignment of every member. Only for a complete
// object whose members are neither const nor references.
template <typename T> void ResetInPlace(T& object) {
    std::destroy_at(&object);
    std::construct_at(&object);
}

#include "common/IndexSort.h"

#include <algorithm>

void SortIndices(std::vector<std::size_t>& indices,
                 bool (*before)(const void* order, std::size_t a, std::size_t b),
                 const void* order) {
    std::sort(indices.begin(), indices.end(),
              [&](std::size_t a, std::size_t b) { return before(order, a, b); });
}

#pragma once

#include <cstddef>
#include <vector>

// Orders indices by before(a, b), a strict weak order of what they index. The programs' one
// sort: it is built once, where a sort per element type or order would be built for each.
void SortIndices(std::vector<std::size_t>& indices,
                 bool (*before)(const void* order, std::size_t a, std::size_t b),
                 const void* order);

template <typename Before>
void SortIndices(std::vector<std::size_t>& indices, const Before& before) {
    SortIndices(
        indices,
        [](const void* order, std::size_t a, std::size_t b) {
            return (*static_cast<const Before*>(order))(a, b);
        },
        &before);
}

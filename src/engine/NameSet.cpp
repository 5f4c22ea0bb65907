#include "engine/NameSet.h"

#include "common/IndexSort.h"

#include <algorithm>
#include <functional>
#include <utility>

void NameSet::Insert(std::string name) {
    if (!sorted_) {
        names_.push_back(std::move(name));
        return;
    }
    const auto at = std::lower_bound(names_.begin(), names_.end(), name);
    if (at == names_.end() || *at != name) {
        names_.insert(at, std::move(name));
    }
}

bool NameSet::Contains(std::string_view name) const {
    if (sorted_) {
        return std::binary_search(names_.begin(), names_.end(), name, std::less<>());
    }
    for (const std::string& own : names_) {
        if (own == name) {
            return true;
        }
    }
    return false;
}

void NameSet::Seal() {
    if (!sorted_) {
        std::vector<std::size_t> order(names_.size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = i;
        }
        SortIndices(order, [&](std::size_t a, std::size_t b) { return names_[a] < names_[b]; });
        std::vector<std::string> sorted;
        sorted.reserve(names_.size());
        for (const std::size_t i : order) {
            if (sorted.empty() || sorted.back() != names_[i]) {
                sorted.push_back(std::move(names_[i]));
            }
        }
        names_ = std::move(sorted);
        sorted_ = true;
    }
}

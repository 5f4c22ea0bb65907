#include "engine/NameSet.h"

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
    return std::find(names_.begin(), names_.end(), name) != names_.end();
}

void NameSet::Seal() {
    if (!sorted_) {
        std::sort(names_.begin(), names_.end());
        names_.erase(std::unique(names_.begin(), names_.end()), names_.end());
        sorted_ = true;
    }
}

#pragma once

#include <string>
#include <string_view>
#include <vector>

// A set of names in a vector: appended while it is filled, sorted once (Seal), and kept sorted
// by later additions; looked up by binary search once sorted, one by one before.
class NameSet {
public:
    void Insert(std::string name);
    [[nodiscard]] bool Contains(std::string_view name) const;
    void Seal();

private:
    std::vector<std::string> names_;
    bool sorted_ = false;
};

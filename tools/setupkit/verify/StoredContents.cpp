#include "verify/StoredContents.h"

#include "lz/SzddExpander.h"
#include "lz/SzddFormat.h"
#include "verify/VerifyReport.h"

#include <algorithm>

namespace {

// Whether the data yields length bytes: the stored file with the header's length changed.
bool YieldsLength(std::vector<std::uint8_t>& copy, std::uint32_t length) {
    for (int i = 0; i < 4; ++i) {
        copy[10 + i] = static_cast<std::uint8_t>(length >> (8 * i));
    }
    return ExpandSzdd(copy).status == SzddStatus::Ok;
}

// How many bytes data cut short does expand to. The expander gives nothing back for such data,
// and whether it reaches a length only grows shorter with the length, so search for it.
std::uint32_t ExpandableLength(std::span<const std::uint8_t> stored, std::uint32_t claimed) {
    std::vector<std::uint8_t> copy(stored.begin(), stored.end());
    // No group of 17 bytes gives more than 144.
    const std::uint64_t bound = (stored.size() - kSzddHeaderSize) / 17 * 144 + 144;
    std::uint32_t low = 0; // yields
    std::uint32_t high = static_cast<std::uint32_t>(std::min<std::uint64_t>(claimed, bound + 1));
    while (high - low > 1) { // high does not yield
        const std::uint32_t middle = low + (high - low) / 2;
        (YieldsLength(copy, middle) ? low : high) = middle;
    }
    return low;
}

} // namespace

StoredContents ExpandStored(std::span<const std::uint8_t> stored) {
    StoredContents contents;
    SzddExpandResult expanded = ExpandSzdd(stored);
    switch (expanded.status) {
    case SzddStatus::NotCompressed:
        contents.data.assign(stored.begin(), stored.end());
        contents.size = stored.size();
        return contents;
    case SzddStatus::Ok:
        contents.compressed = true;
        contents.data = std::move(expanded.data);
        contents.size = contents.data.size();
        return contents;
    case SzddStatus::DataTruncated:
        contents.compressed = true;
        contents.problem = "truncated: the header gives " + Thousands(expanded.header.length) +
                           " bytes, it expands to " +
                           Thousands(ExpandableLength(stored, expanded.header.length));
        return contents;
    default:
        contents.compressed = true;
        contents.problem = std::string(DescribeSzddStatus(expanded.status));
        return contents;
    }
}

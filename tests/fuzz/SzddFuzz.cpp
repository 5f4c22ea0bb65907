#include "lz/SzddCompressor.h"
#include "lz/SzddExpander.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

// Any input is expanded as a compressed file: it is refused or gives exactly the length its
// header claims, without reading outside the input. The same bytes, compressed, expand back
// to themselves.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);

    const SzddExpandResult expanded = ExpandSzdd(input);
    if (expanded.status == SzddStatus::Ok &&
        (expanded.data.size() != expanded.header.length || expanded.consumed > size)) {
        std::abort();
    }

    const std::vector<std::uint8_t> compressed = CompressSzdd(input, 'X');
    const SzddExpandResult back = ExpandSzdd(compressed);
    if (back.status != SzddStatus::Ok || back.consumed != compressed.size() ||
        !std::equal(back.data.begin(), back.data.end(), input.begin(), input.end())) {
        std::abort();
    }
    return 0;
}

#include "script/ScriptChecksum.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

std::uint16_t ChecksumOf(std::string_view text) {
    return ScriptChecksum(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

} // namespace

TEST(ScriptChecksum, PublishedCheckValueWithBytesExchanged) {
    // CRC-16/X-25 of "123456789" is 0x906E; the header word holds it with its bytes
    // exchanged, so the file stores 90 6E at offsets 4 and 5.
    EXPECT_EQ(ChecksumOf("123456789"), 0x6E90);
}

TEST(ScriptChecksum, EmptyRangeIsZero) {
    EXPECT_EQ(ScriptChecksum(nullptr, 0), 0);
}

TEST(ScriptChecksum, SingleBytes) {
    // Values of the published algorithm for one-byte inputs, bytes exchanged.
    EXPECT_EQ(ChecksumOf(std::string_view("\0", 1)), 0x78F0);
    EXPECT_EQ(ChecksumOf("A"), 0xF5A3);
}

#include "lz/SzddCompressor.h"
#include "lz/SzddExpander.h"
#include "lz/SzddFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromText(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// Words drawn from a small vocabulary: text-like data with many matches at every distance.
Bytes WordSoup(std::size_t size, unsigned seed) {
    static const char* const kWords[] = {"setup ",  "disk ", "the ", "file ", "compressed ",
                                         "window ", "\r\n",  "of ",  "a ",    "install "};
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        const std::string_view word = kWords[random() % std::size(kWords)];
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    bytes.resize(size);
    return bytes;
}

Bytes Header(std::uint32_t length, std::uint8_t mode = 'A', std::uint8_t missing = 0) {
    Bytes h(kSzddMagic.begin(), kSzddMagic.end());
    h.push_back(mode);
    h.push_back(missing);
    for (int shift = 0; shift < 32; shift += 8) {
        h.push_back(static_cast<std::uint8_t>(length >> shift));
    }
    return h;
}

Bytes Expanded(const Bytes& file) {
    SzddExpandResult result = ExpandSzdd(file);
    EXPECT_EQ(result.status, SzddStatus::Ok) << DescribeSzddStatus(result.status);
    return result.data;
}

void ExpectRoundTrip(const Bytes& data, const char* what) {
    const Bytes file = CompressSzdd(data, 'X');
    ASSERT_GE(file.size(), kSzddHeaderSize) << what;
    EXPECT_EQ(Expanded(file), data) << what;
    // An optimal parse is never worse than all literals: a flag byte per eight bytes.
    EXPECT_LE(file.size(), kSzddHeaderSize + data.size() + (data.size() + 7) / 8) << what;
}

TEST(SzddCompressor, WritesHeaderWithModeMissingCharAndLittleEndianLength) {
    const Bytes file = CompressSzdd(Bytes(0x012345, 'q'), 'E');
    ASSERT_GE(file.size(), kSzddHeaderSize);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 8), Bytes(kSzddMagic.begin(), kSzddMagic.end()));
    EXPECT_EQ(file[8], 'A');
    EXPECT_EQ(file[9], 'E');
    EXPECT_EQ(file[10], 0x45);
    EXPECT_EQ(file[11], 0x23);
    EXPECT_EQ(file[12], 0x01);
    EXPECT_EQ(file[13], 0x00);
}

TEST(SzddCompressor, RoundTripsEdgeSizes) {
    ExpectRoundTrip({}, "empty");
    ExpectRoundTrip({0x41}, "one byte");
    ExpectRoundTrip({0x41, 0x41}, "two bytes");
    ExpectRoundTrip({0x41, 0x41, 0x41}, "three equal bytes");
    ExpectRoundTrip(FromText("ABCABCABCABCABCABCXYZ"), "short repeat");
    for (std::size_t size : {17u, 18u, 19u, 4095u, 4096u, 4097u, 4111u, 4112u, 4113u}) {
        ExpectRoundTrip(WordSoup(size, static_cast<unsigned>(size)), "around the window size");
    }
}

TEST(SzddCompressor, RoundTripsAcrossWindowWrapAndBlocks) {
    // Larger than the window many times over, than 64 KiB, and than one parse block (256 KiB),
    // with block ends inside long matches.
    ExpectRoundTrip(WordSoup(70000, 1), "70000 text-like");
    ExpectRoundTrip(WordSoup((1u << 18) + 5, 2), "one block and a bit");
    Bytes periodic;
    for (std::size_t i = 0; i < (1u << 19) + 3; ++i) {
        periodic.push_back(static_cast<std::uint8_t>(i % 4093)); // period just under the window
    }
    ExpectRoundTrip(periodic, "period 4093");
}

TEST(SzddCompressor, IncompressibleDataGrowsByFlagBytesOnly) {
    const Bytes data = RandomBytes(100000, 7);
    const Bytes file = CompressSzdd(data, 0);
    EXPECT_EQ(Expanded(file), data);
    EXPECT_LE(file.size(), kSzddHeaderSize + data.size() + data.size() / 8 + 1);
}

TEST(SzddCompressor, RepetitiveDataUsesLongestMatches) {
    const Bytes zeros(1 << 20, 0);
    const Bytes file = CompressSzdd(zeros, 0);
    EXPECT_EQ(Expanded(file), zeros);
    // 18-byte matches of 17 bits each: about 1/8.5 of a byte per input byte.
    EXPECT_LT(file.size(), kSzddHeaderSize + zeros.size() * 17 / 18 / 8 + 64);

    Bytes ab;
    for (int i = 0; i < 100000; ++i) {
        ab.push_back(i % 2 ? 'b' : 'a');
    }
    EXPECT_EQ(Expanded(CompressSzdd(ab, 0)), ab);
}

TEST(SzddCompressor, MatchesTheSpacesTheWindowStartsWith) {
    // Eighteen spaces are one match into the initial window: header, a flag byte, two bytes.
    const Bytes spaces(18, ' ');
    const Bytes file = CompressSzdd(spaces, 0);
    EXPECT_EQ(file.size(), kSzddHeaderSize + 3);
    EXPECT_EQ(Expanded(file), spaces);
    ExpectRoundTrip(FromText("   x   y                    z"), "spaces mixed with data");
}

// The cost in bits of the cheapest parse, from a brute-force search of every earlier position
// within reach (the window's initial spaces included) and the same dynamic programme.
std::uint64_t OptimalBits(const Bytes& data) {
    const std::size_t prefix = kSzddWindowSize - 1;
    Bytes buffer(prefix + data.size(), ' ');
    std::copy(data.begin(), data.end(), buffer.begin() + prefix);
    const std::size_t n = data.size();
    std::vector<std::size_t> longest(n);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t p = prefix + i;
        const std::size_t limit = std::min<std::size_t>(kSzddMaxMatch, n - i);
        for (std::size_t c = p - prefix; c < p && longest[i] < limit; ++c) {
            std::size_t length = 0;
            while (length < limit && buffer[c + length] == buffer[p + length]) {
                ++length;
            }
            longest[i] = std::max(longest[i], length);
        }
    }
    std::vector<std::uint64_t> cost(n + 1);
    for (std::size_t i = n; i-- > 0;) {
        cost[i] = cost[i + 1] + 9;
        for (std::size_t length = kSzddMinMatch; length <= longest[i]; ++length) {
            cost[i] = std::min(cost[i], cost[i + length] + 17);
        }
    }
    return cost[0];
}

// The bits of a compressed file's tokens: nine per literal, seventeen per match.
std::uint64_t TokenBits(const Bytes& file, std::size_t expandedLength) {
    std::uint64_t bits = 0;
    std::size_t produced = 0;
    for (std::size_t in = kSzddHeaderSize; in < file.size() && produced < expandedLength;) {
        const unsigned flags = file[in++];
        for (unsigned bit = 0; bit < 8 && in < file.size(); ++bit) {
            if (flags & (1u << bit)) {
                bits += 9;
                in += 1;
                produced += 1;
            } else {
                bits += 17;
                produced += (file[in + 1] & 0x0F) + kSzddMinMatch;
                in += 2;
            }
        }
    }
    return bits;
}

TEST(SzddCompressor, ParseIsAsCheapAsBruteForce) {
    // Zero runs broken by other bytes (the shape of executables, where following a chain of
    // candidates gives up too early), text, and data that reaches across the whole window.
    std::mt19937 random(11);
    Bytes binaryLike;
    while (binaryLike.size() < 9000) {
        binaryLike.insert(binaryLike.end(), random() % 40, 0);
        binaryLike.push_back(static_cast<std::uint8_t>(random() % 6));
        binaryLike.push_back(static_cast<std::uint8_t>(random()));
    }
    for (const Bytes& data : {binaryLike, WordSoup(9000, 5), FromText("   spaces   first")}) {
        const Bytes file = CompressSzdd(data, 0);
        ASSERT_EQ(Expanded(file), data);
        EXPECT_EQ(TokenBits(file, data.size()), OptimalBits(data));
    }
}

TEST(SzddCompressor, MissingCharIsTheCharacterTheCompressedNameReplaces) {
    EXPECT_EQ(SzddMissingChar("SETUP.EXE"), 'E');
    EXPECT_EQ(SzddMissingChar("PAGE.HTML"), 'L');
    EXPECT_EQ(SzddMissingChar("dir\\x.dll"), 'l');
    EXPECT_EQ(SzddMissingChar("READ.ME"), 0);
    EXPECT_EQ(SzddMissingChar("X.C"), 0);
    EXPECT_EQ(SzddMissingChar("FILE"), 0);
    EXPECT_EQ(SzddMissingChar("A.DIR/FILE"), 0);
}

TEST(SzddExpander, DecodesLiteralsAndOverlappingMatches) {
    // The bytes Debian's mscompress writes for "ABCABCABCABCABCABCXYZ": three literals, one
    // 15-byte match that overlaps its own output, three literals.
    Bytes file = Header(21);
    for (std::uint8_t b : {0x77, 0x41, 0x42, 0x43, 0xF0, 0xFC, 0x58, 0x59, 0x5A}) {
        file.push_back(b);
    }
    EXPECT_EQ(Expanded(file), FromText("ABCABCABCABCABCABCXYZ"));
}

TEST(SzddExpander, MatchesReadTheWindowAsARing) {
    // Sixteen literals fill window positions 0xFF0..0xFFF. A match from 0xFFE of length 4
    // reads 'o' and 'p', then wraps to 0x000 and 0x001, which the match itself has just
    // written.
    Bytes file = Header(20);
    file.push_back(0xFF);
    file.insert(file.end(), {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'});
    file.push_back(0xFF);
    file.insert(file.end(), {'i', 'j', 'k', 'l', 'm', 'n', 'o', 'p'});
    file.insert(file.end(), {0x00, 0xFE, 0xF1});
    EXPECT_EQ(Expanded(file), FromText("abcdefghijklmnopopop"));

    // Before anything is written the window holds spaces: a match at the start reads them.
    Bytes spaces = Header(5);
    spaces.insert(spaces.end(), {0x00, 0x00, 0x02});
    EXPECT_EQ(Expanded(spaces), FromText("     "));
}

TEST(SzddExpander, StopsAtTheHeaderLengthAndIgnoresTheRest) {
    // mscompress writes a flag byte and a literal for an empty file; the length rules.
    Bytes empty = Header(0);
    empty.insert(empty.end(), {0x01, 0x00});
    SzddExpandResult result = ExpandSzdd(empty);
    EXPECT_EQ(result.status, SzddStatus::Ok);
    EXPECT_TRUE(result.data.empty());
    EXPECT_EQ(result.consumed, kSzddHeaderSize);

    // A match longer than what is left is cut at the length.
    Bytes cut = Header(5);
    cut.insert(cut.end(), {0x01, 'x', 0xF0, 0xFF, 0xAA, 0xBB});
    result = ExpandSzdd(cut);
    EXPECT_EQ(result.status, SzddStatus::Ok);
    EXPECT_EQ(result.data, FromText("xxxxx"));
    EXPECT_EQ(result.consumed, cut.size() - 2);
}

TEST(SzddExpander, RefusesMalformedInput) {
    EXPECT_EQ(ExpandSzdd(FromText("MZ plain file")).status, SzddStatus::NotCompressed);
    EXPECT_EQ(ExpandSzdd({}).status, SzddStatus::NotCompressed);
    EXPECT_EQ(ExpandSzdd(FromText("SZD")).status, SzddStatus::HeaderTruncated);
    Bytes header = Header(3);
    EXPECT_EQ(ExpandSzdd(Bytes(header.begin(), header.begin() + 13)).status,
              SzddStatus::HeaderTruncated);
    EXPECT_EQ(ExpandSzdd(Header(3, 'B')).status, SzddStatus::UnknownMode);
    EXPECT_EQ(ExpandSzdd(Header(0x80000000u)).status, SzddStatus::LengthTooLarge);

    // Data that ends early: no group at all, a literal missing, half a match.
    EXPECT_EQ(ExpandSzdd(Header(3)).status, SzddStatus::DataTruncated);
    Bytes literal = Header(3);
    literal.insert(literal.end(), {0xFF, 'a', 'b'});
    EXPECT_EQ(ExpandSzdd(literal).status, SzddStatus::DataTruncated);
    Bytes halfMatch = Header(3);
    halfMatch.insert(halfMatch.end(), {0x00, 0xF0});
    SzddExpandResult result = ExpandSzdd(halfMatch);
    EXPECT_EQ(result.status, SzddStatus::DataTruncated);
    EXPECT_TRUE(result.data.empty());

    // A length of 2 GB claimed with a few bytes given is refused as truncated.
    Bytes huge = Header(0x7FFFFFFF);
    huge.insert(huge.end(), {0xFF, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'});
    EXPECT_EQ(ExpandSzdd(huge).status, SzddStatus::DataTruncated);
}

} // namespace

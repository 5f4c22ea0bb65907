#include "lz/SzddCompressor.h"

#include "lz/SzddFormat.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

// Distances run from 1 to 4095. A distance of 4096 would also decode (the byte read is the
// one about to be overwritten), but it is the least common case in decoders and gains
// nothing worth the doubt.
constexpr std::size_t kMaxDistance = kSzddWindowSize - 1;

// The window starts filled with spaces, so a match may reach back before the first byte. The
// input is copied behind that many spaces so that the match finder sees one buffer.
constexpr std::size_t kPrefix = kMaxDistance;

// Literal: one flag bit and a byte; match: one flag bit and two bytes.
constexpr std::uint32_t kLiteralBits = 9;
constexpr std::uint32_t kMatchBits = 17;

// Positions parsed at a time; bounds the memory of the parse whatever the input size. Matches
// do not cross a block's end, which costs at most a few bits per block.
constexpr std::size_t kBlockSize = 1u << 18;

// Tree nodes visited per position at most. The tree keeps the window's strings in order, so
// the longest match is normally found within a few levels; the bound only matters for
// pathological inputs.
constexpr unsigned kMaxTreeSteps = 256;

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

// Longest-match finder: for every pair of first bytes a binary tree of the window's
// positions, ordered by the (up to 18) bytes that follow them. Inserting a position walks
// down from the root, meets the positions that share the longest prefixes with it on the
// way, and splits the tree around it so that it becomes the new root. A hash chain would
// have to walk every position of a run of zero bytes to find the one whose continuation
// matches; the tree goes straight to it. Positions older than the window are cut off where
// they are met.
class MatchFinder {
public:
    explicit MatchFinder(const std::vector<std::uint8_t>& buffer)
        : data_(buffer.data()), end_(static_cast<std::uint32_t>(buffer.size())),
          head_(std::size_t{1} << 16, kNone), children_(2 * kSzddWindowSize, kNone) {}

    // Inserts position p, which must be the next one after the last inserted, and returns its
    // longest match among the positions within reach (0 when shorter than three bytes), with
    // matchPos set to where it starts. Comparisons run as far as the buffer allows, up to the
    // format's longest match, whatever the caller will use: the tree's order depends on it.
    std::uint32_t InsertAndFind(std::uint32_t p, std::uint32_t& matchPos) {
        const std::uint32_t limit = std::min<std::uint32_t>(kSzddMaxMatch, end_ - p);
        if (limit < kSzddMinMatch) {
            return 0; // the last two positions: nothing can start here and nothing follows
        }
        const std::uint8_t* const here = data_ + p;
        const std::uint32_t root = here[0] | static_cast<std::uint32_t>(here[1]) << 8;
        std::uint32_t candidate = head_[root];
        head_[root] = p;

        // The new node's two subtrees: positions that sort before it go left, after it right.
        std::uint32_t* left = &children_[(p & kSzddWindowMask) * 2];
        std::uint32_t* right = left + 1;
        std::uint32_t leftLength = 0;  // prefix shared with everything still to the left
        std::uint32_t rightLength = 0; // ... and to the right
        std::uint32_t best = 0;
        for (unsigned steps = 0;; ++steps) {
            if (candidate == kNone || p - candidate > kMaxDistance || steps == kMaxTreeSteps) {
                *left = kNone;
                *right = kNone;
                break;
            }
            std::uint32_t* const node = &children_[(candidate & kSzddWindowMask) * 2];
            const std::uint8_t* const there = data_ + candidate;
            std::uint32_t length = std::min(leftLength, rightLength);
            if (there[length] == here[length]) {
                while (++length < limit && there[length] == here[length]) {
                }
                if (length > best) {
                    best = length;
                    matchPos = candidate;
                    if (length == limit) {
                        // Equal as far as compared: p takes the candidate's place, and the
                        // candidate, now unreachable, ages out.
                        *left = node[0];
                        *right = node[1];
                        break;
                    }
                }
            }
            if (there[length] < here[length]) {
                *left = candidate;
                left = node + 1;
                candidate = *left;
                leftLength = length;
            } else {
                *right = candidate;
                right = node;
                candidate = *right;
                rightLength = length;
            }
        }
        return best >= kSzddMinMatch ? best : 0;
    }

private:
    const std::uint8_t* data_;
    std::uint32_t end_;
    std::vector<std::uint32_t> head_;
    std::vector<std::uint32_t> children_; // per window slot: smaller, larger
};

// Appends tokens in groups of eight behind one flag byte.
class TokenWriter {
public:
    explicit TokenWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Literal(std::uint8_t byte) {
        StartToken();
        out_[flagIndex_] |= static_cast<std::uint8_t>(1u << tokens_);
        out_.push_back(byte);
        ++tokens_;
    }

    void Match(std::uint32_t windowPos, std::uint32_t length) {
        StartToken();
        out_.push_back(static_cast<std::uint8_t>(windowPos & 0xFF));
        out_.push_back(
            static_cast<std::uint8_t>((windowPos >> 4 & 0xF0) | (length - kSzddMinMatch)));
        ++tokens_;
    }

private:
    void StartToken() {
        if (tokens_ == 8) {
            flagIndex_ = out_.size();
            out_.push_back(0);
            tokens_ = 0;
        }
    }

    std::vector<std::uint8_t>& out_;
    std::size_t flagIndex_ = 0;
    unsigned tokens_ = 8;
};

void WriteHeader(std::vector<std::uint8_t>& out, std::uint8_t missingChar, std::uint32_t length) {
    out.insert(out.end(), kSzddMagic.begin(), kSzddMagic.end());
    out.push_back(kSzddModeLzss);
    out.push_back(missingChar);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(length >> shift));
    }
}

} // namespace

std::uint8_t SzddMissingChar(std::string_view fileName) {
    const std::size_t separator = fileName.find_last_of("\\/");
    if (separator != std::string_view::npos) {
        fileName.remove_prefix(separator + 1);
    }
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || fileName.size() - dot - 1 < 3) {
        return 0;
    }
    return static_cast<std::uint8_t>(fileName.back());
}

std::vector<std::uint8_t> CompressSzdd(std::span<const std::uint8_t> data, std::uint8_t missingChar,
                                       const SzddProgress& progress) {
    if (data.size() > kSzddMaxLength) {
        throw std::length_error("input too large for the SZDD format");
    }
    std::vector<std::uint8_t> out;
    out.reserve(kSzddHeaderSize + data.size() / 8 * 9 + 9);
    WriteHeader(out, missingChar, static_cast<std::uint32_t>(data.size()));

    std::vector<std::uint8_t> buffer(kPrefix + data.size(), kSzddWindowFill);
    std::copy(data.begin(), data.end(), buffer.begin() + kPrefix);
    const std::uint32_t end = static_cast<std::uint32_t>(buffer.size());

    MatchFinder finder(buffer);
    // The spaces before the data are positions like any other.
    std::uint32_t unused = 0;
    for (std::uint32_t p = 0; p < kPrefix; ++p) {
        (void)finder.InsertAndFind(p, unused);
    }

    TokenWriter writer(out);
    const std::size_t blockSize = std::min(kBlockSize, data.size());
    std::vector<std::uint8_t> matchLength(blockSize);
    std::vector<std::uint32_t> matchPos(blockSize);
    std::vector<std::uint32_t> cost(blockSize + 1);
    std::vector<std::uint8_t> choice(blockSize);

    for (std::uint32_t blockStart = kPrefix; blockStart < end;) {
        const std::uint32_t blockEnd =
            static_cast<std::uint32_t>(std::min<std::size_t>(end, blockStart + kBlockSize));
        const std::uint32_t count = blockEnd - blockStart;

        // Every position's longest match, cut at the block's end. Any shorter length at the
        // same place is a match too.
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t p = blockStart + i;
            std::uint32_t found = finder.InsertAndFind(p, matchPos[i]);
            found = std::min(found, blockEnd - p);
            matchLength[i] = static_cast<std::uint8_t>(found >= kSzddMinMatch ? found : 0);
        }

        // Cheapest parse from each position to the block's end.
        cost[count] = 0;
        for (std::uint32_t i = count; i-- > 0;) {
            std::uint32_t best = cost[i + 1] + kLiteralBits;
            std::uint8_t take = 1;
            for (std::uint32_t length = kSzddMinMatch; length <= matchLength[i]; ++length) {
                const std::uint32_t c = cost[i + length] + kMatchBits;
                if (c <= best) {
                    best = c;
                    take = static_cast<std::uint8_t>(length);
                }
            }
            cost[i] = best;
            choice[i] = take;
        }

        for (std::uint32_t i = 0; i < count;) {
            const std::uint32_t take = choice[i];
            if (take == 1) {
                writer.Literal(buffer[blockStart + i]);
            } else {
                // Window positions count from the start position, the spaces before it
                // included (buffer position kPrefix is window position kSzddWindowStart).
                const std::uint32_t windowPos =
                    static_cast<std::uint32_t>(matchPos[i] - kPrefix + kSzddWindowStart) &
                    kSzddWindowMask;
                writer.Match(windowPos, take);
            }
            i += take;
        }

        blockStart = blockEnd;
        if (progress) {
            progress(blockEnd - kPrefix, data.size());
        }
    }
    return out;
}

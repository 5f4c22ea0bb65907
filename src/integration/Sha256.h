#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// SHA-256 digests: the removal record and the install log are recognised by them.
class Sha256 {
public:
    Sha256();
    void Add(std::string_view bytes);
    // The digest of everything added, as 64 lower-case hexadecimal digits. Ends the use.
    [[nodiscard]] std::string HexDigest();

private:
    void Compress(const std::uint8_t* block);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> block_{};
    std::size_t used_ = 0;
    std::uint64_t length_ = 0;
};

[[nodiscard]] std::string Sha256Hex(std::string_view bytes);

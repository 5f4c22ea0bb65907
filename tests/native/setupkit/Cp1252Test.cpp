#include "Cp1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Cp1252, EveryByteHasItsOwnCodePointAndComesBack) {
    std::set<char32_t> seen;
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const char32_t cp = CodePointOfAnsiByte(static_cast<std::uint8_t>(b));
        EXPECT_TRUE(seen.insert(cp).second) << "byte " << b;
        EXPECT_EQ(AnsiByteOf(cp), std::optional<std::uint8_t>(static_cast<std::uint8_t>(b)))
            << "byte " << b;
        all += static_cast<char>(b);
    }
    const AnsiConversion back = Utf8ToAnsi(AnsiToUtf8(all));
    EXPECT_FALSE(back.unmapped);
    EXPECT_EQ(back.ansi, all);
}

TEST(Cp1252, DefinedBytesAreTheirCharactersUndefinedOnesTheirC1Controls) {
    EXPECT_EQ(CodePointOfAnsiByte(0x00), U'\0');
    EXPECT_EQ(CodePointOfAnsiByte(0x41), U'A');
    EXPECT_EQ(CodePointOfAnsiByte(0x80), U'\u20AC'); // euro sign
    EXPECT_EQ(CodePointOfAnsiByte(0x92), U'\u2019');
    EXPECT_EQ(CodePointOfAnsiByte(0x9F), U'\u0178');
    EXPECT_EQ(CodePointOfAnsiByte(0xE9), U'\u00E9');
    for (std::uint8_t undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        EXPECT_EQ(CodePointOfAnsiByte(undefined), static_cast<char32_t>(undefined));
    }
    EXPECT_EQ(AnsiToUtf8("\x80\xE9"), "\u20AC\u00E9");
}

TEST(Cp1252, CharactersWithoutAByteAreNamed) {
    // C1 controls that Windows-1252 gives to printable characters have no byte of their own.
    for (char32_t cp : {U'\u0080', U'\u009F', U'\u0100', U'\u2603', U'\U0001F600'}) {
        EXPECT_FALSE(AnsiByteOf(cp).has_value()) << static_cast<unsigned>(cp);
    }
    const AnsiConversion snow = Utf8ToAnsi("ok \u2603 later");
    EXPECT_EQ(snow.unmapped, U'\u2603');
    EXPECT_EQ(Utf8ToAnsi("\xC3").unmapped, U'\uFFFD') << "cut-off sequence";
    EXPECT_EQ(Utf8ToAnsi("\xC0\x80").unmapped, U'\uFFFD') << "overlong NUL";
    EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80").unmapped, U'\uFFFD') << "surrogate";
}

#include "script/ScriptLoader.h"
#include "script/ScriptWriter.h"
#include "support/ScriptBuilder.h"
#include "support/ScriptGenerator.h"

#include <gtest/gtest.h>

#include <string>

TEST(ScriptRoundTrip, MinimalFileIsWrittenBackByteForByte) {
    const auto image = MinimalScriptImage();
    EXPECT_EQ(WriteSetupScript(ParseSetupScript(image)), image);
}

TEST(ScriptRoundTrip, GeneratedScriptsSurviveWriteAndLoad) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const SetupScript original = ScriptGenerator(seed).Make();
        const std::vector<std::uint8_t> image = WriteSetupScript(original);
        std::size_t parsed = 0;
        const SetupScript loaded = ParseSetupScript(image, &parsed);
        ASSERT_EQ(parsed, image.size()) << "seed " << seed;
        ASSERT_EQ(WriteSetupScript(loaded), image) << "seed " << seed;
        EXPECT_EQ(loaded.productName, original.productName);
        EXPECT_EQ(loaded.installItems.size(), original.installItems.size());
        EXPECT_EQ(loaded.uninstallName, original.uninstallName);
    }
}

TEST(ScriptRoundTrip, StoredBytesOfALoadedFileAreKept) {
    // A hand-made file with odd but loadable values: flag bytes other than 0 and 1, a text
    // with a NUL inside, a text kind byte of 7, an absent uninstall entry that stores a text.
    ScriptBuilder b;
    b.Text(std::string("a\0b", 3)).Byte(0xEE).Text("x").Texts(6, "t").Byte(0x42).Texts(10, "u");
    b.Byte(0xFF);
    b.Byte(1).Text("\xE9tiquette").Byte(1).Text("C:\\APP").Byte(2).Byte(3).Byte(1).Text("G");
    b.Byte(0).Word(1).Byte(9).Byte(9).Text("F").Byte(2).Byte(1).Byte(4).Byte(5).Byte(6);
    b.Dword(123).Text("SUB").Byte(7);
    b.Byte(0).Word(1).Text("[K]").Word(1).Text("n").Byte(7).Text("data");
    b.Byte(1).Text("C").Text("D").Byte(2).Byte(3).Word(1).Word(0);
    b.Byte(4).Text("T").Byte(5).Text("M").Byte(6).Text("U");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("kept though unused");
    const auto image = b.Image();
    const SetupScript s = ParseSetupScript(image);
    EXPECT_EQ(s.unusedText1.View(), "a") << "users see the text up to its NUL";
    EXPECT_EQ(WriteSetupScript(s), image);
}

TEST(ScriptWriter, RefusesListsTheFormatCannotCount) {
    SetupScript s;
    s.directories.resize(256);
    EXPECT_FALSE(CheckScriptCounts(s).empty());
    EXPECT_THROW(WriteSetupScript(s), std::length_error);
    s.directories.resize(255);
    EXPECT_TRUE(CheckScriptCounts(s).empty());
    s.installItems.resize(65536);
    EXPECT_FALSE(CheckScriptCounts(s).empty());
}

#include "script/ScriptLoader.h"
#include "script/SetupError.h"
#include "support/ScriptBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::uint32_t LoadErrorCode(const std::vector<std::uint8_t>& image) {
    try {
        ParseSetupScript(image);
    } catch (const SetupError& error) {
        return error.code();
    }
    return 0;
}

// Header fields with every text distinct, so a field read into the wrong place shows.
ScriptBuilder NamedHeader() {
    ScriptBuilder b;
    b.Text("unused one").Byte(0x5A).Text("unused three");
    b.Text("Product").Text("Welcome title").Text("Welcome text").Text("Destination title");
    b.Text("Destination text").Text("BACK.BMP").Byte(3).Text("SIDE.BMP").Text("README.TXT");
    b.Text("Disk title").Text("Disk text").Text("Success caption").Text("Success text");
    b.Text("Failure caption").Text("Failure text").Text("Cancel caption").Text("Cancel text");
    b.Byte(9);
    return b;
}

} // namespace

TEST(ScriptLoader, MinimalFileIsFiftyBytesAndLoads) {
    const auto image = MinimalScriptImage();
    ASSERT_EQ(image.size(), 50u);
    std::size_t parsed = 0;
    const SetupScript script = ParseSetupScript(image, &parsed);
    EXPECT_EQ(parsed, 50u);
    EXPECT_TRUE(script.directories.empty());
    EXPECT_TRUE(script.installItems.empty());
    EXPECT_TRUE(script.registryKeys.empty());
    EXPECT_EQ(script.showGroupPage, 0u);
    EXPECT_EQ(script.askBeforeGroup, 0u);
    EXPECT_TRUE(script.uninstallName.Empty());
}

TEST(ScriptLoader, HeaderFieldsInReadingOrder) {
    const SetupScript s = ParseSetupScript(NamedHeader().EmptySections().Image());
    EXPECT_EQ(s.unusedText1.View(), "unused one");
    EXPECT_EQ(s.unusedByte2, 0x5A);
    EXPECT_EQ(s.unusedText3.View(), "unused three");
    EXPECT_EQ(s.productName.View(), "Product");
    EXPECT_EQ(s.welcomeTitle.View(), "Welcome title");
    EXPECT_EQ(s.welcomeText.View(), "Welcome text");
    EXPECT_EQ(s.destinationTitle.View(), "Destination title");
    EXPECT_EQ(s.destinationText.View(), "Destination text");
    EXPECT_EQ(s.backgroundBitmap.View(), "BACK.BMP");
    EXPECT_EQ(s.BackgroundStyle, 3);
    EXPECT_EQ(s.sideBitmap.View(), "SIDE.BMP");
    EXPECT_EQ(s.readmeFile.View(), "README.TXT");
    EXPECT_EQ(s.diskPromptTitle.View(), "Disk title");
    EXPECT_EQ(s.diskPromptText.View(), "Disk text");
    EXPECT_EQ(s.successCaption.View(), "Success caption");
    EXPECT_EQ(s.successText.View(), "Success text");
    EXPECT_EQ(s.failureCaption.View(), "Failure caption");
    EXPECT_EQ(s.failureText.View(), "Failure text");
    EXPECT_EQ(s.cancelCaption.View(), "Cancel caption");
    EXPECT_EQ(s.cancelText.View(), "Cancel text");
    EXPECT_EQ(s.completionFlags, 9u);
}

TEST(ScriptLoader, DiskLabelsDirectoriesAndGroups) {
    ScriptBuilder b;
    b.EmptyHeaderFields();
    b.Byte(3).Text("Disk 1").Text("").Text("Disk 3");   // S1: text*, the empty one is absent
    b.Byte(2).Text("C:\\APP").Text("?WSYS");            // S2
    b.Byte(1).Byte(0).Byte(2).Text("Group A").Text(""); // S3
    b.Byte(0).Word(0).Byte(0).Word(0).Byte(0);          // S4 .. S8 counts
    b.Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("");
    const SetupScript s = ParseSetupScript(b.Image());

    ASSERT_EQ(s.diskLabels.size(), 3u);
    EXPECT_EQ(TextOf(s.diskLabels[0]), "Disk 1");
    EXPECT_FALSE(s.diskLabels[1].has_value()) << "a text* of length 0 is absent, not empty";
    EXPECT_EQ(TextOf(s.diskLabels[2]), "Disk 3");

    ASSERT_EQ(s.directories.size(), 2u);
    EXPECT_EQ(s.directories[0].path.View(), "C:\\APP");
    EXPECT_EQ(s.directories[0].templatePath.View(), "C:\\APP");
    EXPECT_EQ(s.directories[1].templatePath.View(), "?WSYS");
    EXPECT_EQ(s.directories[1].created, 0u);
    EXPECT_EQ(s.directories[1].driveIndex, 0u);

    EXPECT_EQ(s.showGroupPage, 1u);
    EXPECT_EQ(s.askBeforeGroup, 0u);
    ASSERT_EQ(s.programGroups.size(), 2u);
    EXPECT_EQ(TextOf(s.programGroups[0]), "Group A");
    EXPECT_FALSE(s.programGroups[1].has_value());
}

TEST(ScriptLoader, ProgramItemsInstallItemsAndFinalPrograms) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(0).Byte(1).Byte(1).Byte(0);
    b.Byte(1).Byte(7).Text("Item").Text("?D\\APP.EXE").Text("?D").Text("?D\\APP.ICO").Byte(2);
    b.Word(1).Byte(2).Byte(1).Text("APP.EXE").Byte(1).Byte(1).Byte(3).Byte(1).Byte(3);
    b.Dword(0x01020304).Text("BIN").Byte(1);
    b.Byte(1).Text("?D\\APP.EXE /x").Word(3).Text("?D");
    b.Word(0).Byte(0).Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("");
    const SetupScript s = ParseSetupScript(b.Image());

    ASSERT_EQ(s.programItems.size(), 1u);
    const ProgramItem& p = s.programItems[0];
    EXPECT_EQ(p.groupNumber, 7) << "out-of-range group numbers are kept: they mean no group";
    EXPECT_EQ(p.name.View(), "Item");
    EXPECT_EQ(p.commandLine.View(), "?D\\APP.EXE");
    EXPECT_EQ(p.workingDirectory.View(), "?D");
    EXPECT_EQ(p.iconPath.View(), "?D\\APP.ICO");
    EXPECT_EQ(p.iconIndex, 2);

    ASSERT_EQ(s.installItems.size(), 1u);
    const InstallItem& i = s.installItems[0];
    EXPECT_EQ(i.diskNumber, 2);
    EXPECT_EQ(i.dirIndex, 1);
    EXPECT_EQ(i.name.View(), "APP.EXE");
    EXPECT_EQ(i.compressed, 1);
    EXPECT_EQ(i.action, static_cast<std::uint8_t>(ItemAction::Copy));
    EXPECT_EQ(i.overwriteMode, static_cast<std::uint8_t>(OverwriteMode::Ask));
    EXPECT_EQ(i.readOnly, 1);
    EXPECT_EQ(i.partCount, 3);
    EXPECT_EQ(i.size, 0x01020304u);
    EXPECT_EQ(i.sourceSubdir.View(), "BIN");
    EXPECT_EQ(i.shared, 1);
    EXPECT_EQ(i.installCount, kInstallAlways);
    EXPECT_EQ(i.done, 0);

    ASSERT_EQ(s.finalPrograms.size(), 1u);
    EXPECT_EQ(s.finalPrograms[0].commandLine.View(), "?D\\APP.EXE /x");
    EXPECT_EQ(s.finalPrograms[0].showCommand, 3);
    EXPECT_EQ(s.finalPrograms[0].workingDirectory.View(), "?D");
}

TEST(ScriptLoader, RegistryValuesOfBothKinds) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(0).Byte(1).Byte(1).Byte(0).Byte(0).Word(0).Byte(0);
    b.Word(1).Text("[HKEY_LOCAL_MACHINE\\Software\\X]").Word(4);
    b.Text("Path").Byte(1).Text("?D");
    b.Text("").Byte(2).Text(""); // any non-zero kind byte is text; empty data is absent
    b.Text("Count").Byte(0).Dword(0xFFFFFFFF);
    b.Text("Zero").Byte(0).Dword(0);
    b.Byte(0).Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("");
    const SetupScript s = ParseSetupScript(b.Image());

    ASSERT_EQ(s.registryKeys.size(), 1u);
    const RegistryKey& key = s.registryKeys[0];
    EXPECT_EQ(key.keyPath.View(), "[HKEY_LOCAL_MACHINE\\Software\\X]");
    ASSERT_EQ(key.values.size(), 4u);
    EXPECT_EQ(key.values[0].kind, RegistryValueKind::Text);
    EXPECT_EQ(TextOf(key.values[0].text), "?D");
    EXPECT_EQ(key.values[1].kind, RegistryValueKind::Text);
    EXPECT_EQ(key.values[1].storedKind, 2);
    EXPECT_FALSE(key.values[1].text.has_value());
    EXPECT_TRUE(key.values[1].name.Empty());
    EXPECT_EQ(key.values[2].kind, RegistryValueKind::Number);
    EXPECT_EQ(key.values[2].number, 0xFFFFFFFFu);
    EXPECT_EQ(key.values[3].number, 0u);
}

TEST(ScriptLoader, ComponentsCountTheirItems) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(1).Text("C:\\APP").Byte(1).Byte(1).Byte(0).Byte(0);
    b.Word(3);
    for (std::uint32_t size : {100u, 20u, 3u}) {
        b.Byte(1).Byte(1).Text("F").Byte(0).Byte(1).Byte(4).Byte(0).Byte(0).Dword(size);
        b.Text("").Byte(0);
    }
    b.Byte(0).Word(0);
    b.Byte(3);
    b.Text("Main").Text("Main files").Byte(1).Byte(1).Word(2).Word(0).Word(1);
    b.Text("Twice").Text("").Byte(0).Byte(1).Word(2).Word(0).Word(0);
    b.Text("Empty").Text("").Byte(0).Byte(0).Word(0);
    b.Byte(1).Text("Typical").Byte(0).Text("Minimal").Byte(1).Text("Custom");
    b.Byte(0).Byte(0).Byte(0).Byte(1).Text("My App");
    const SetupScript s = ParseSetupScript(b.Image());

    ASSERT_EQ(s.components.size(), 3u);
    EXPECT_EQ(s.components[0].totalSize, 120u);
    EXPECT_EQ(s.components[0].selected, 1);
    EXPECT_EQ(s.components[0].inMinimal, 1);
    EXPECT_EQ(s.components[1].inMinimal, 0);
    EXPECT_EQ(s.components[1].inTypical, 1);
    // A component naming the same item twice adds its size twice and counts it twice.
    EXPECT_EQ(s.components[1].totalSize, 200u);
    EXPECT_EQ((s.components[1].files), (std::vector<std::uint32_t>{0, 0}));
    EXPECT_EQ(s.components[2].totalSize, 0u);
    EXPECT_TRUE(s.components[2].files.empty());
    EXPECT_EQ(s.installItems[0].installCount, 3);
    EXPECT_EQ(s.installItems[1].installCount, 1);
    EXPECT_EQ(s.installItems[2].installCount, kInstallAlways);

    EXPECT_EQ(s.typicalOffered, 1u);
    EXPECT_EQ(s.typicalLabel.View(), "Typical");
    EXPECT_EQ(s.minimalOffered, 0u);
    EXPECT_EQ(s.customLabel.View(), "Custom");
    EXPECT_EQ(s.uninstallPresent, 1);
    EXPECT_EQ(s.uninstallName.View(), "My App");
}

TEST(ScriptLoader, InstallCountsDoNotWrapPastAByte) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(0).Byte(1).Byte(1).Byte(0).Byte(0);
    b.Word(1).Byte(1).Byte(1).Text("F").Byte(0).Byte(1).Byte(4).Byte(0).Byte(0).Dword(1);
    b.Text("").Byte(0);
    b.Byte(0).Word(0).Byte(200);
    for (int c = 0; c < 200; ++c) {
        b.Text("C").Text("").Byte(0).Byte(0).Word(1).Word(0);
    }
    b.Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("");
    const SetupScript s = ParseSetupScript(b.Image());
    EXPECT_EQ(s.installItems[0].installCount, 200);
}

TEST(ScriptLoader, ComponentNamingAMissingItemIsRefused) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(0).Byte(1).Byte(1).Byte(0).Byte(0).Word(0);
    b.Byte(0).Word(0).Byte(1).Text("C").Text("").Byte(0).Byte(0).Word(1).Word(0);
    b.Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("");
    EXPECT_EQ(LoadErrorCode(b.Image()), static_cast<std::uint32_t>(kErrorBadScript));
}

TEST(ScriptLoader, TheRefusalNamesTheComponentByItsNumberFromOne) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(0).Byte(1).Byte(1).Byte(0).Byte(0).Word(0);
    b.Byte(0).Word(0).Byte(1).Text("C").Text("").Byte(0).Byte(0).Word(1).Word(4);
    b.Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("");
    std::string reason;
    try {
        ParseSetupScript(b.Image());
    } catch (const ScriptRefused& error) {
        reason = error.text();
    }
    EXPECT_EQ(reason, "component 1 names install item 4 but the script has only 0");
}

TEST(ScriptLoader, IniEntriesSystemChangesAndUninstall) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(0).Byte(1).Byte(1).Byte(0).Byte(0).Word(0).Byte(0);
    b.Word(0).Byte(0).Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(2).Text("?W\\APP.INI").Text("Options").Text("Mode").Text("1");
    b.Text("WIN.INI").Text("Old").Text("").Text("");
    b.Byte(1).Byte(11).Text("DEVICE=?D\\X.386");
    b.Byte(2).Byte(1).Text("a").Byte(2).Text("b");
    b.Byte(0).Text("Discarded name");
    const SetupScript s = ParseSetupScript(b.Image());

    ASSERT_EQ(s.iniEntries.size(), 2u);
    EXPECT_EQ(s.iniEntries[0].file.View(), "?W\\APP.INI");
    EXPECT_EQ(s.iniEntries[0].section.View(), "Options");
    EXPECT_EQ(s.iniEntries[0].key.View(), "Mode");
    EXPECT_EQ(s.iniEntries[0].value.View(), "1");
    EXPECT_TRUE(s.iniEntries[1].key.Empty());
    ASSERT_EQ(s.systemChangesFirst.size(), 1u);
    EXPECT_EQ(s.systemChangesFirst[0].changeType, 11u);
    EXPECT_EQ(s.systemChangesFirst[0].value.View(), "DEVICE=?D\\X.386");
    ASSERT_EQ(s.systemChangesSecond.size(), 2u);
    EXPECT_EQ(s.systemChangesSecond[1].changeType, 2u);
    // With the byte 0 the stored text is discarded: no uninstall entry.
    EXPECT_TRUE(s.uninstallName.Empty());
}

TEST(ScriptLoader, LongestTextFillsTheField) {
    const std::string longest(255, 'x');
    ScriptBuilder b;
    b.Text("").Byte(0).Text("").Text(longest).Texts(5).Byte(0).Texts(10).Byte(0).EmptySections();
    const SetupScript s = ParseSetupScript(b.Image());
    EXPECT_EQ(s.productName.View(), longest);
    EXPECT_EQ(s.productName.CStr()[255], '\0');
}

TEST(ScriptLoader, WordCountsBeyondAByte) {
    ScriptBuilder b;
    b.EmptyHeaderFields().Byte(0).Byte(0).Byte(1).Byte(1).Byte(0).Byte(0);
    b.Word(300);
    for (int i = 0; i < 300; ++i) {
        b.Byte(1).Byte(1).Text("F").Byte(0).Byte(3).Byte(4).Byte(0).Byte(0).Dword(0);
        b.Text("").Byte(0);
    }
    b.Byte(0).Word(1).Text("[HKEY_CURRENT_USER\\K]").Word(260);
    for (int v = 0; v < 260; ++v) {
        b.Text("v").Byte(0).Dword(static_cast<std::uint32_t>(v));
    }
    b.Byte(0).Byte(0).Text("").Byte(0).Text("").Byte(0).Text("");
    b.Byte(0).Byte(0).Byte(0).Byte(0).Text("");
    const SetupScript s = ParseSetupScript(b.Image());
    EXPECT_EQ(s.installItems.size(), 300u);
    ASSERT_EQ(s.registryKeys.size(), 1u);
    EXPECT_EQ(s.registryKeys[0].values.size(), 260u);
    EXPECT_EQ(s.registryKeys[0].values[259].number, 259u);
}

TEST(ScriptLoader, TrailingBytesAreIgnoredButChecksummed) {
    ScriptBuilder b;
    b.EmptyHeaderFields().EmptySections().Byte(1).Byte(2).Byte(3);
    std::size_t parsed = 0;
    auto image = b.Image();
    ParseSetupScript(image, &parsed);
    EXPECT_EQ(parsed, 50u);
    image.back() ^= 0xFF;
    EXPECT_EQ(LoadErrorCode(image), static_cast<std::uint32_t>(kErrorBadScript));
}

TEST(ScriptLoader, WrongVersionIsRefusedBeforeTheChecksum) {
    for (std::uint32_t version : {0u, 2u, 0x100u, 0x01000000u}) {
        EXPECT_EQ(LoadErrorCode(MakeImage(
                      ScriptBuilder().EmptyHeaderFields().EmptySections().Body(), version)),
                  static_cast<std::uint32_t>(kErrorBadScript))
            << version;
    }
    try {
        auto image = MinimalScriptImage();
        image[0] = 2;
        image[4] ^= 0xFF; // a wrong checksum as well: the version is what is reported
        ParseSetupScript(image);
        FAIL();
    } catch (const ScriptRefused& error) {
        EXPECT_NE(error.text().find("version"), std::string::npos) << error.text();
    }
}

TEST(ScriptLoader, AnySingleChangedByteFromOffsetSixIsRefused) {
    const auto good = MinimalScriptImage();
    for (std::size_t offset = 6; offset < good.size(); ++offset) {
        for (std::uint8_t flip : {0x01, 0x80, 0xFF}) {
            auto image = good;
            image[offset] ^= flip;
            EXPECT_EQ(LoadErrorCode(image), static_cast<std::uint32_t>(kErrorBadScript))
                << "offset " << offset << " flip " << int(flip);
        }
    }
}

TEST(ScriptLoader, ChecksumBytesInTheWrongOrderAreRefused) {
    auto image = MinimalScriptImage();
    ASSERT_NE(image[4], image[5]);
    std::swap(image[4], image[5]);
    EXPECT_EQ(LoadErrorCode(image), static_cast<std::uint32_t>(kErrorBadScript));
}

TEST(ScriptLoader, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
    // A checksum computed over the shortened body, so only the missing fields can fail.
    ScriptBuilder b = NamedHeader();
    b.Byte(1).Text("Disk").Byte(1).Text("C:\\APP").Byte(1).Byte(1).Byte(1).Text("G");
    b.Byte(1).Byte(1).Text("I").Text("c").Text("w").Text("i").Byte(0);
    b.Word(1).Byte(1).Byte(1).Text("F").Byte(0).Byte(1).Byte(4).Byte(0).Byte(0).Dword(5);
    b.Text("").Byte(0);
    b.Byte(1).Text("p").Word(1).Text("");
    b.Word(1).Text("[HKEY_CURRENT_USER\\K]").Word(2).Text("a").Byte(1).Text("t");
    b.Text("b").Byte(0).Dword(7);
    b.Byte(1).Text("C").Text("d").Byte(1).Byte(1).Word(1).Word(0);
    b.Byte(1).Text("T").Byte(1).Text("M").Byte(1).Text("U");
    b.Byte(1).Text("f").Text("s").Text("k").Text("v");
    b.Byte(1).Byte(1).Text("x").Byte(1).Byte(2).Text("y").Byte(1).Text("Name");
    const std::vector<std::uint8_t>& body = b.Body();
    ASSERT_NO_THROW(ParseSetupScript(MakeImage(body)));
    for (std::size_t length = 0; length < body.size(); ++length) {
        const std::vector<std::uint8_t> shorter(body.begin(), body.begin() + length);
        EXPECT_EQ(LoadErrorCode(MakeImage(shorter)), static_cast<std::uint32_t>(kErrorBadScript))
            << "body of " << length << " bytes";
    }
    const auto whole = MakeImage(body);
    for (std::size_t length = 0; length < 6; ++length) {
        const std::vector<std::uint8_t> header(whole.begin(), whole.begin() + length);
        EXPECT_EQ(LoadErrorCode(header), static_cast<std::uint32_t>(kErrorBadScript));
    }
}

TEST(ScriptLoader, SixByteFileHasNoHeaderFields) {
    const std::vector<std::uint8_t> image = {1, 0, 0, 0, 0, 0};
    try {
        ParseSetupScript(image);
        FAIL() << "a file with an empty body must be refused";
    } catch (const ScriptRefused& error) {
        EXPECT_EQ(error.code(), static_cast<std::uint32_t>(kErrorBadScript));
        EXPECT_NE(error.text().find("ends"), std::string::npos) << error.text();
    }
}

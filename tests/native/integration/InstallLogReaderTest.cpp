#include "integration/InstallLogReader.h"

#include "support/InstallLogBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

InstallLogRecord Read(std::string_view bytes) {
    return ReadInstallLog(std::span<const char>(bytes.data(), bytes.size()));
}

// The kinds of every line, in order, for one-line checks of a whole record.
std::string Kinds(const InstallLogRecord& record) {
    static constexpr std::string_view kNames[] = {
        "date", "blank", "directory", "file", "deleted", "group",
        "item", "key",   "value",     "ini",  "unknown", "refused",
    };
    std::string kinds;
    for (const LogLine& line : record.lines) {
        kinds += kNames[static_cast<std::size_t>(line.kind)];
        kinds += line.reason.empty() == (line.kind != LogLineKind::Refused) ? " " : "! ";
    }
    return kinds;
}

} // namespace

// The reader's built-in texts are the string table's, which SETUP.EXE writes the log with.
TEST(InstallLogReader, DefaultTextsAreTheStringTables) {
    const LogTexts texts;
    EXPECT_EQ(texts.title, StringTableText("IDS_LOG_TITLE"));
    EXPECT_EQ(texts.createdDirectory, StringTableText("IDS_LOG_CREATED_DIRECTORY"));
    EXPECT_EQ(texts.copiedFile, StringTableText("IDS_LOG_COPIED_FILE"));
    EXPECT_EQ(texts.deletedFile, StringTableText("IDS_LOG_DELETED_FILE"));
    EXPECT_EQ(texts.createdGroup, StringTableText("IDS_LOG_CREATED_GROUP"));
    EXPECT_EQ(texts.createdGroupItem, StringTableText("IDS_LOG_CREATED_GROUP_ITEM"));
    EXPECT_EQ(texts.registryKey, StringTableText("IDS_LOG_REGISTRY_KEY"));
    EXPECT_EQ(texts.registryValue, StringTableText("IDS_LOG_REGISTRY_VALUE"));
    EXPECT_EQ(texts.iniEntry, StringTableText("IDS_LOG_INI_ENTRY"));
    EXPECT_EQ(texts.rootNames[0], StringTableText("IDS_HKEY_CLASSES_ROOT"));
    EXPECT_EQ(texts.rootNames[5], StringTableText("IDS_HKEY_DYN_DATA"));
}

TEST(InstallLogReader, ReadsEveryLineForm) {
    const std::string bytes =
        InstallLogBuilder("Trial Mines")
            .CreatedDirectory("C:\\Program Files\\Trial Mines")
            .CopiedFile("C:\\Program Files\\Trial Mines\\MINES.EXE")
            .DeletedFile("OLD.HLP")
            .Group("Games")
            .GroupItem("Trial Mines")
            .Line("EDITSYS: 2 changes made")
            .RegistryKey("[hkey_local_machine\\Software\\Mines]")
            .RegistryValue("Path")
            .RegistryValue("")
            .IniEntry("Mines", "Size", "a=b to file c", "C:\\WINDOWS\\WIN.INI")
            .Bytes();
    const InstallLogRecord record = Read(bytes);
    ASSERT_EQ(record.refusal, "");
    EXPECT_EQ(record.productName, "Trial Mines");
    ASSERT_EQ(record.lines.size(), 12u);
    EXPECT_EQ(Kinds(record),
              "date blank directory file deleted group item unknown key value value ini ");

    EXPECT_EQ(record.lines[2].path, "C:\\Program Files\\Trial Mines");
    EXPECT_EQ(record.lines[2].number, 4u);
    EXPECT_EQ(record.lines[3].path, "C:\\Program Files\\Trial Mines\\MINES.EXE");
    EXPECT_EQ(record.lines[4].name, "OLD.HLP");
    EXPECT_EQ(record.lines[5].group, "Games"); // after the two blanks
    EXPECT_EQ(record.lines[6].group, "Games");
    EXPECT_EQ(record.lines[6].name, "Trial Mines");
    EXPECT_EQ(record.lines[7].text, "EDITSYS: 2 changes made");
    for (const std::size_t i : {8u, 9u, 10u}) {
        EXPECT_EQ(record.lines[i].root, RegistryRoot::LocalMachine) << i;
        EXPECT_EQ(record.lines[i].subKey, "Software\\Mines") << i;
    }
    EXPECT_EQ(record.lines[9].name, "Path");
    EXPECT_EQ(record.lines[10].name, "");
    const LogLine& ini = record.lines[11];
    EXPECT_EQ(ini.section, "Mines");
    EXPECT_EQ(ini.name, "Size");
    EXPECT_EQ(ini.value, "a=b to file c");
    EXPECT_EQ(ini.path, "C:\\WINDOWS\\WIN.INI");
}

TEST(InstallLogReader, DamagedHeaderRefusesTheLog) {
    const std::string good = InstallLogBuilder("App").CopiedFile("C:\\APP\\A.EXE").Bytes();
    for (const std::string& bytes : {
             std::string(), std::string("Copied File C:\\APP\\A.EXE\r\n"),
             std::string("*** Setup Program For App **\r\nCopied File C:\\APP\\A.EXE\r\n"),
             "x" + good, good.substr(0, 10), // the header itself is cut
         }) {
        const InstallLogRecord record = Read(bytes);
        EXPECT_NE(record.refusal, "") << bytes;
        EXPECT_TRUE(record.lines.empty()) << bytes;
    }
}

TEST(InstallLogReader, LinesOfNoUsableFormAreKeptNotActedOn) {
    const InstallLogRecord record = Read(InstallLogBuilder("App")
                                             .Line("Copied FileC:\\APP\\A.EXE")
                                             .RegistryValue("Orphan")
                                             .GroupItem("Orphan")
                                             .RegistryKey("[HKEY_NOWHERE\\X]")
                                             .RegistryValue("UnderRefusedKey")
                                             .Line("Group line\twith a tab")
                                             .Bytes());
    ASSERT_EQ(record.refusal, "");
    EXPECT_EQ(Kinds(record), "date blank unknown refused refused refused refused unknown ");
    EXPECT_EQ(record.lines[2].text, "Copied FileC:\\APP\\A.EXE");
}

TEST(InstallLogReader, PathsThatAreNotAbsoluteAreRefused) {
    const InstallLogRecord record = Read(InstallLogBuilder("App")
                                             .CopiedFile("APP\\A.EXE")
                                             .CopiedFile("\\APP\\A.EXE")
                                             .CreatedDirectory("C:APP")
                                             .CopiedFile("C:\\APP\\..\\WINDOWS\\WIN.COM")
                                             .CopiedFile("\\\\server\\")
                                             .IniEntry("S", "K", "V", "..\\A.INI")
                                             .CopiedFile("\\\\server\\share\\A.EXE")
                                             .CreatedDirectory("d:\\App")
                                             .IniEntry("S", "K", "V", "SYSTEM.INI")
                                             .Bytes());
    ASSERT_EQ(record.refusal, "");
    EXPECT_EQ(Kinds(record),
              "date blank refused refused refused refused refused refused file directory ini ");
    EXPECT_EQ(record.lines[2].reason, "the path is not absolute");
}

// Lone LF endings are read; a last line without its ending was cut while being written and is
// refused, and nothing past the input is read.
TEST(InstallLogReader, CutLastLineIsRefused) {
    const std::string buffer = "*** Setup Program For App ***\n\n\nCopied File C:\\APP\\A.EXE\n"
                               "Copied File C:\\APP\\B.EXE\r\n";
    const std::size_t cut = buffer.find("B.EXE") + 1; // "...\\B" and the rest unseen
    const InstallLogRecord record = ReadInstallLog(std::span<const char>(buffer.data(), cut));
    ASSERT_EQ(record.refusal, "");
    EXPECT_EQ(Kinds(record), "date blank file refused ");
    EXPECT_EQ(record.lines[2].path, "C:\\APP\\A.EXE");
    EXPECT_EQ(record.lines[3].text, "Copied File C:\\APP\\B");
}

#include "integration/InstallLogReader.h"

#include "support/InstallLogBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

InstallLogRecord Read(std::string_view bytes) {
    return ReadInstallLog(std::span<const char>(bytes.data(), bytes.size()));
}

// One line per log line after the header: its kind and what it holds.
std::string Describe(const InstallLogRecord& record) {
    static constexpr std::string_view kNames[] = {
        "date", "blank", "directory", "file", "deleted", "group",
        "item", "key",   "value",     "ini",  "unknown", "refused",
    };
    std::string text;
    for (const LogLine& line : record.lines) {
        text += std::string(kNames[static_cast<std::size_t>(line.kind)]) + " " + line.path +
                line.group + "|" + line.name + "|" + std::to_string(static_cast<int>(line.root)) +
                line.subKey + "|" + line.section + "|" + line.value + "|" + line.reason + "\n";
    }
    return text;
}

} // namespace

// Every form SETUP.EXE writes, with the string table's texts (so the reader's built-in texts
// must be the same); lines of no form (EDITSYS.DLL's reply) are kept as unknown.
TEST(InstallLogReader, ReadsEveryLineForm) {
    const InstallLogRecord record = Read(LogBytes(
        "Trial Mines",
        {DirectoryLine("C:\\Program Files\\Trial Mines"), FileLine("\\\\server\\share\\MINES.EXE"),
         DeletedLine("OLD.HLP"), GroupLine("Games"), ItemLine("Trial Mines"),
         "EDITSYS: 2 changes made", KeyLine("[hkey_local_machine\\Software\\Mines]"),
         ValueLine("Path"), ValueLine(""), IniLine("Mines", "Size", "a=b to file c", "C:\\WIN.INI"),
         IniLine("Boot", "", "x", "SYSTEM.INI")}));
    ASSERT_EQ(record.refusal, "");
    EXPECT_EQ(record.productName, "Trial Mines");
    EXPECT_EQ(Describe(record), "date ||0|||\n"
                                "blank ||0|||\n"
                                "directory C:\\Program Files\\Trial Mines||0|||\n"
                                "file \\\\server\\share\\MINES.EXE||0|||\n"
                                "deleted |OLD.HLP|0|||\n"
                                "group Games||0|||\n"
                                "item Games|Trial Mines|0|||\n"
                                "unknown ||0|||\n"
                                "key ||2Software\\Mines|||\n"
                                "value |Path|2Software\\Mines|||\n"
                                "value ||2Software\\Mines|||\n"
                                "ini C:\\WIN.INI|Size|0|Mines|a=b to file c|\n"
                                "ini SYSTEM.INI||0|Boot|x|\n");
    EXPECT_EQ(record.lines[7].number, 9u);
    EXPECT_EQ(record.lines[7].text, "EDITSYS: 2 changes made");
}

TEST(InstallLogReader, DamagedHeaderRefusesTheLog) {
    const std::string good = LogBytes("App", {FileLine("C:\\APP\\A.EXE")});
    for (const std::string& bytes : {
             std::string(), FileLine("C:\\APP\\A.EXE") + "\r\n",
             "*** Setup Program For App **\r\n" + FileLine("C:\\APP\\A.EXE") + "\r\n", "x" + good,
             good.substr(0, 10), // the header itself is cut
         }) {
        const InstallLogRecord record = Read(bytes);
        EXPECT_NE(record.refusal, "") << bytes;
        EXPECT_TRUE(record.lines.empty()) << bytes;
    }
}

// Paths that are not absolute, and values and items without their key or group line above.
TEST(InstallLogReader, LinesThatCannotBeActedOnAreRefused) {
    const InstallLogRecord record = Read(LogBytes(
        "App", {FileLine("APP\\A.EXE"), FileLine("\\APP\\A.EXE"), DirectoryLine("C:APP"),
                FileLine("C:\\APP\\..\\WIN.COM"), FileLine("\\\\server\\"),
                IniLine("S", "K", "V", "..\\A.INI"), ValueLine("Orphan"), ItemLine("Orphan"),
                KeyLine("[HKEY_NOWHERE\\X]"), ValueLine("UnderRefusedKey")}));
    ASSERT_EQ(record.refusal, "");
    ASSERT_EQ(record.lines.size(), 12u);
    for (std::size_t i = 2; i < record.lines.size(); ++i) {
        EXPECT_EQ(record.lines[i].kind, LogLineKind::Refused) << record.lines[i].text;
        EXPECT_NE(record.lines[i].reason, "") << record.lines[i].text;
    }
}

// Lone LF endings are read; a last line without its ending was cut while being written and is
// refused, and nothing past the input is read.
TEST(InstallLogReader, CutLastLineIsRefused) {
    const std::string buffer = "*** Setup Program For App ***\n\n\nCopied File C:\\APP\\A.EXE\n"
                               "Copied File C:\\APP\\B.EXE\r\n";
    const std::size_t cut = buffer.find("B.EXE") + 1; // "...\\B" and the rest unseen
    const InstallLogRecord record = ReadInstallLog(std::span<const char>(buffer.data(), cut));
    ASSERT_EQ(record.refusal, "");
    EXPECT_EQ(Describe(record), "date ||0|||\n"
                                "blank ||0|||\n"
                                "file C:\\APP\\A.EXE||0|||\n"
                                "refused ||0|||the line is cut: it has no line ending\n");
    EXPECT_EQ(record.lines[3].text, "Copied File C:\\APP\\B");
}

#include "integration/InstallRecording.h"
#include "integration/RemovalRecord.h"
#include "integration/Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A record of every kind of line, with texts that need escaping and binary data.
RemovalRecord FullRecord() {
    RemovalRecord record;
    record.product = "Q%Doc\t100%";
    record.entry = "Q%Doc";
    record.scriptPath = "C:\\APP\\SETUP.INF";
    record.logPath = "C:\\APP\\setuplog.txt";
    record.logDigest = Sha256Hex("log");
    record.directories = {"C:\\Program Files\\Maker", "C:\\Program Files\\Maker\\App"};
    record.files = {{"C:\\APP\\A.TXT", false, false, true, 12, 0x01d0000012345678ULL},
                    {"C:\\WINDOWS\\SYSTEM\\M.DLL", true, true, false, 4096, 7}};
    record.sharedCounts = {"C:\\WINDOWS\\SYSTEM\\M.DLL", "C:\\WINDOWS\\KXUN32.EXE"};
    record.keys = {{RegistryRoot::CurrentUser, "Software\\Maker"}};
    record.values = {{RegistryRoot::LocalMachine, "Software\\Maker", "", 4,
                      std::string("\x01\x00\x00\x00", 4), true, 1, std::string("old\0", 4)}};
    record.iniKeys = {{"WIN.INI", "Extensions", "mns", "C:\\APP\\M.EXE ^.mns", true,
                       "old value\r\nwith a break", true, false}};
    record.groups = {{"StartUp", false}, {"Maker (App)", true}};
    record.items = {{"StartUp", "App"}};
    record.notes = {"Deleted File OLD.TXT", "EDITSYS: 2 lines changed"};
    return record;
}

std::optional<RemovalRecord> Parse(std::string_view text) {
    std::string error;
    return ParseRemovalRecord(text, error);
}

} // namespace

TEST(Sha256, KnownDigests) {
    EXPECT_EQ(Sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    // Added in pieces that straddle the 64-byte blocks: the same digest.
    Sha256 pieces;
    const std::string text(200, 'x');
    pieces.Add(text.substr(0, 63));
    pieces.Add(text.substr(63, 2));
    pieces.Add(text.substr(65));
    EXPECT_EQ(pieces.HexDigest(), Sha256Hex(text));
}

TEST(RemovalRecord, EveryLineReadsBackAsWritten) {
    const std::string text = FormatRemovalRecord(FullRecord());
    // One line per element: no text of the record breaks a line or a field.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
    const std::optional<RemovalRecord> read = Parse(text);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->product, "Q%Doc\t100%");
    EXPECT_EQ(read->values.at(0).dataBefore, std::string("old\0", 4));
    EXPECT_EQ(read->iniKeys.at(0).valueBefore, "old value\r\nwith a break");
    EXPECT_EQ(read->files.at(0).writeTime, 0x01d0000012345678ULL);
    EXPECT_EQ(FormatRemovalRecord(*read), text);
}

TEST(RemovalRecord, DamagedOrCutRecordsDoNotRead) {
    const std::string text = FormatRemovalRecord(FullRecord());
    std::string error;
    EXPECT_FALSE(ParseRemovalRecord("", error));
    EXPECT_FALSE(ParseRemovalRecord("setupkit removal record 2\r\nend\r\n", error));
    EXPECT_EQ(error, "its first line is not the title of a removal record");
    // Cut anywhere before its end line, or with anything after it.
    EXPECT_FALSE(ParseRemovalRecord(text.substr(0, text.size() - 5), error));
    EXPECT_FALSE(ParseRemovalRecord(text.substr(0, text.rfind("end")), error));
    EXPECT_FALSE(ParseRemovalRecord(text + "note\tmore\r\n", error));
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string damaged = text;
        damaged.replace(damaged.find(from), from.size(), to);
        return damaged;
    };
    EXPECT_FALSE(Parse(replaced("group\tStartUp\t0", "group\tStartUp\t2")));
    EXPECT_FALSE(Parse(replaced("group\tStartUp\t0", "group\tStartUp")));
    EXPECT_FALSE(Parse(replaced("group\tStartUp\t0", "group\tStartUp\t0\t0")));
    EXPECT_FALSE(Parse(replaced("HKEY_CURRENT_USER", "HKCU")));
    EXPECT_FALSE(Parse(replaced("01000000", "0100000")));
    EXPECT_FALSE(Parse(replaced("Q%25Doc", "Q%2")));
    EXPECT_FALSE(Parse(replaced("\t4096\t", "\t-1\t")));
    EXPECT_FALSE(Parse(replaced("note\t", "remark\t")));
    EXPECT_EQ(ParseRemovalRecord(replaced("note\t", "remark\t"), error), std::nullopt);
    EXPECT_EQ(error, "line 18 cannot be read");
}

// Installed again over itself: the values and INI keys the first installation overwrote keep
// their first earlier values, its counts are still to be lowered, and what only it made stays
// the product's.
TEST(RemovalRecord, ReinstallationKeepsWhatTheFirstFound) {
    const RemovalRecord first = FullRecord();
    RemovalRecord second;
    second.files = {{"C:\\windows\\system\\\\m.dll", false, false, true, 13, 9},
                    {"C:\\APP\\NEW.TXT", false, false, true, 1, 1}};
    second.sharedCounts = {"C:\\WINDOWS\\KXUN32.EXE"};
    second.values = {{RegistryRoot::LocalMachine, "SOFTWARE\\MAKER", "", 4,
                      std::string("\x02\x00\x00\x00", 4), true, 4,
                      std::string("\x01\x00\x00\x00", 4)}};
    second.iniKeys = {{"win.ini", "extensions", "MNS", "C:\\APP\\M.EXE ^.mns", true,
                       "C:\\APP\\M.EXE ^.mns", true, true}};
    second.groups = {{"Maker (App)", false}};
    MergeEarlierRecord(second, first);

    ASSERT_EQ(second.files.size(), 3u);
    EXPECT_TRUE(second.files[0].shared);         // shared once, counted still
    EXPECT_FALSE(second.files[0].existedBefore); // judged when it was found again
    EXPECT_EQ(second.files[2].path, "C:\\APP\\A.TXT");
    EXPECT_EQ(second.sharedCounts.size(), 3u);
    ASSERT_EQ(second.values.size(), 1u);
    EXPECT_EQ(second.values[0].typeBefore, 1u);
    EXPECT_EQ(second.values[0].dataBefore, std::string("old\0", 4));
    EXPECT_EQ(second.iniKeys.at(0).valueBefore, "old value\r\nwith a break");
    ASSERT_EQ(second.groups.size(), 2u);
    EXPECT_TRUE(second.groups[0].created);
    EXPECT_FALSE(second.groups[1].created); // StartUp was there before the first installation
    EXPECT_EQ(second.directories, first.directories);
    EXPECT_EQ(second.keys.size(), 1u);
    EXPECT_EQ(second.items.size(), 1u);
}

// A file found where an item copies: the product's own earlier copy, still as it was, keeps
// what the earlier installation knew of it; any other file counts as there before unless a
// count or another product's record accounts for it.
TEST(RemovalRecord, FoundFilesAreJudgedByWhatAccountsForThem) {
    const std::optional<RemovalRecord> earlier = FullRecord();
    ProductClaims others;
    RemovalRecord other;
    other.files = {{"C:\\APP\\OTHER.DLL"}};
    others.Add(other);
    const auto judge = [&](const char* path, std::optional<FileStamp> stamp, bool counted) {
        const DestinationBefore before = JudgeFoundFile(path, stamp, counted, earlier, others);
        return std::string(before.present ? "P" : "-") + (before.existedBefore ? "E" : "-") +
               (before.copiedBefore ? "C" : "-");
    };
    EXPECT_EQ(judge("C:\\APP\\NEW.TXT", std::nullopt, false), "---");
    EXPECT_EQ(judge("C:\\app\\a.txt", FileStamp{12, 0x01d0000012345678ULL}, false), "P-C");
    EXPECT_EQ(judge("C:\\WINDOWS\\SYSTEM\\M.DLL", FileStamp{4096, 7}, false), "PE-");
    // Replaced since the earlier installation: judged afresh.
    EXPECT_EQ(judge("C:\\APP\\A.TXT", FileStamp{99, 1}, false), "PE-");
    EXPECT_EQ(judge("C:\\APP\\A.TXT", FileStamp{99, 1}, true), "P--");
    EXPECT_EQ(judge("C:\\app\\other.dll", FileStamp{1, 1}, false), "P--");
}

TEST(RemovalRecord, NameIsOnePerProduct) {
    EXPECT_EQ(RemovalRecordName("Mines"), RemovalRecordName("MINES"));
    EXPECT_NE(RemovalRecordName("Mines"), RemovalRecordName("Mines Add-on"));
    EXPECT_EQ(RemovalRecordName("Mines").size(), std::string("setuprec-12345678.txt").size());
}

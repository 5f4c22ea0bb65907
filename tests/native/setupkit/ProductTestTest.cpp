// Judging and reporting a `setupkit test` run from what the driver and the snapshots recorded.
#include "testing/DiskLabels.h"
#include "testing/PrefixDifference.h"
#include "testing/ProgramMachine.h"
#include "testing/TestReport.h"
#include "testing/TestSummary.h"
#include "testing/TestVerdict.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const ClosingTexts kTexts{"App Setup", "App has been installed in ?D.", "App Setup",
                          "App was not installed."};

TEST(ProductTestVerdict, ReadsTheLastBoxWithItsEscapes) {
    const std::string transcript = "[   0.100] box: \"First\" \"one\"\n"
                                   "[   0.200] line 3: wait box \"x\"\n"
                                   "[   0.300] box: \"Say \\\"hi\\\"\" \"C:\\\\APP\\nnext\"\n"
                                   "[   0.400] box: \"broken\n";
    const std::optional<ShownBox> box = LastBox(transcript);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Say \"hi\"");
    EXPECT_EQ(box->text, "C:\\APP\nnext");
    EXPECT_FALSE(LastBox("[   0.1] started\n"));
}

TEST(ProductTestVerdict, MacrosMatchAnyTextAndNothingElseDoes) {
    EXPECT_TRUE(MatchesScriptText("in ?D.", "in C:\\Program Files\\App."));
    EXPECT_TRUE(MatchesScriptText("in ?D.", "in ."));
    EXPECT_TRUE(MatchesScriptText("?W and ?S", "C:\\WINDOWS and A:\\"));
    EXPECT_TRUE(MatchesScriptText("Why?", "Why?"));
    EXPECT_FALSE(MatchesScriptText("Why?", "Why!"));
    EXPECT_FALSE(MatchesScriptText("in ?D.", "in C:\\APP!"));
    EXPECT_FALSE(MatchesScriptText("", "x"));
}

TEST(ProductTestVerdict, PassesOnlyAHeldScenarioEndingWithTheSuccessMessage) {
    const std::string success =
        "[ 1.0] box: \"App Setup\" \"App has been installed in C:\\\\APP.\"\n";
    EXPECT_TRUE(JudgeInstall(0, success, kTexts).passed);

    const Verdict failed =
        JudgeInstall(0, "[ 1.0] box: \"App Setup\" \"App was not installed.\"\n", kTexts);
    EXPECT_FALSE(failed.passed);
    EXPECT_NE(failed.summary.find("failure message"), std::string::npos);

    const Verdict other =
        JudgeInstall(0, "[ 1.0] box: \"Setup\" \"Invalid  path selected\"\n", kTexts);
    EXPECT_FALSE(other.passed);
    EXPECT_NE(other.summary.find("\"Invalid  path selected\", not its success message"),
              std::string::npos);

    EXPECT_FALSE(JudgeInstall(0, "[ 1.0] started\n", kTexts).passed);

    const std::string stopped = "[ 0.5] line 4: expect text 101 'C:\\A'\n" + success +
                                "[ 2.5] FAILED at line 4: control 101 shows \"B\"\n";
    const Verdict mismatch = JudgeInstall(1, stopped, kTexts);
    EXPECT_FALSE(mismatch.passed);
    EXPECT_EQ(mismatch.summary, "the scenario did not hold at step `expect text 101 'C:\\A'` "
                                "(line 4): control 101 shows \"B\"");
    EXPECT_EQ(TranscriptSeconds(stopped), 2.5);
    EXPECT_EQ(JudgeRemoval(1, "[ 1.0] FAILED: cannot start X\n").summary,
              "the removal did not hold outside its steps: cannot start X");
}

TEST(ProductTestDiskLabels, ReadsWhatItWritesAndNamesABadLine) {
    const std::string text = DiskLabelsText({"App Disk 1", "App\tDisk 2", "App Disk 1"});
    const DiskLabels read = ParseDiskLabels(text + "\r\n");
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.disks.size(), 3u);
    EXPECT_EQ(read.disks[1].folder, "disk2");
    EXPECT_EQ(read.disks[1].label, "App\tDisk 2");
    EXPECT_EQ(FoldersLabelled(read.disks, "App Disk 1"),
              (std::vector<std::string>{"disk1", "disk3"}));
    EXPECT_TRUE(FoldersLabelled(read.disks, "App Disk 2").empty());
    EXPECT_EQ(ParseDiskLabels("disk1\tA\r\n\ndiskB\tB\n").error,
              "line 3 is not \"diskN<TAB>LABEL\"");
    EXPECT_NE(ParseDiskLabels("disk1 A\n").error, "");
}

TEST(ProductTestReport, ReadsTheMachineOfAProgram) {
    std::vector<std::uint8_t> header(0x100, 0);
    header[0] = 'M';
    header[1] = 'Z';
    header[0x3C] = 0x80;
    header[0x80] = 'P';
    header[0x81] = 'E';
    header[0x84] = 0x64;
    header[0x85] = 0x86;
    EXPECT_EQ(PeMachine(header), 0x8664);
    header[0x3C] = 0xFC; // the PE header would lie beyond the bytes read
    EXPECT_FALSE(PeMachine(header));
}

FixedText Text(const char* text) {
    FixedText fixed;
    fixed.Assign(text);
    return fixed;
}

InstallItem Item(const char* name, std::uint8_t directory, std::uint32_t size,
                 ItemAction action = ItemAction::Copy) {
    InstallItem item;
    item.name = Text(name);
    item.dirIndex = directory;
    item.size = size;
    item.action = static_cast<std::uint8_t>(action);
    return item;
}

// Typical holds Program and Data; Extras is in no setup type.
SetupScript ThreeComponents() {
    SetupScript script;
    for (const char* path : {"?F\\App", "?W", "?D\\DATA"}) {
        script.directories.push_back({0, Text(path), {}, 0});
    }
    script.installItems = {Item("KXUN32.EXE", 2, 500),
                           Item("APP.EXE", 1, 1000),
                           Item("APP.INI", 1, 50),
                           Item("DATA.DAT", 3, 300),
                           Item("BIG.DAT", 3, 9),
                           Item("HELP.TXT", 1, 20),
                           Item("APP.EXE", 1, 0, ItemAction::RunNormal)};
    script.components = {{Text("Program"), {}, 1, {1, 2}, 0, 1, 1},
                         {Text("Data"), {}, 1, {3, 5}, 0, 0, 1},
                         {Text("Extras"), {}, 1, {4}, 0, 0, 0}};
    script.typicalOffered = script.minimalOffered = script.customOffered = 1;
    script.iniEntries = {{Text("?D\\APP.INI"), Text("Options"), Text("Sound"), Text("1")}};
    return script;
}

TEST(ProductTestSummary, JudgesTheFilesOfTheChosenComponentsAndWhatTheRemovalLeft) {
    // DATA.DAT lies in another folder only; HELP.TXT is a byte short; the INI entry grew APP.INI.
    const std::map<std::string, std::uint64_t> sizes = {{"windows/KXUN32.EXE", 500},
                                                        {"Program Files/App/APP.EXE", 1000},
                                                        {"Program Files/App/APP.INI", 80},
                                                        {"Program Files/App/HELP.TXT", 19},
                                                        {"Program Files/Other/DATA.DAT", 300}};
    PrefixDifference changes;
    for (const auto& [path, size] : sizes) {
        std::string windows = "C:\\" + path;
        std::replace(windows.begin(), windows.end(), '/', '\\');
        changes.added.push_back({windows, size});
    }
    const SetupScript script = ThreeComponents();
    const InstallExpectation typical =
        ExpectInstall(script, true, "C:\\Program Files\\App", sizes, changes);
    EXPECT_EQ(typical.selection, "Typical, the autopilot's default setup type");
    ASSERT_EQ(typical.files.size(), 5u);
    EXPECT_EQ(typical.InstalledCount(), 4u);
    EXPECT_EQ(typical.files[0].installed, "C:\\windows\\KXUN32.EXE");
    EXPECT_EQ(typical.files[3].path, "C:\\Program Files\\App\\DATA\\DATA.DAT");
    EXPECT_FALSE(typical.files[3].installed);
    EXPECT_FALSE(typical.files[2].SizeDiffers());
    EXPECT_TRUE(typical.files[4].SizeDiffers());

    // After a scenario: the components whose files the run installed.
    changes.added.resize(2); // KXUN32.EXE and APP.EXE
    const InstallExpectation chosen =
        ExpectInstall(script, false, "C:\\Program Files\\App", sizes, changes);
    EXPECT_EQ(chosen.selection, "the components whose files the run installed: Program");
    EXPECT_EQ(chosen.files.size(), 3u);

    PrefixDifference remained;
    remained.added = {{"C:\\windows\\KXUN32.EXE", 500}, {"C:\\Program Files\\App\\STRAY.TXT", 1}};
    remained.registryAdded = {
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs: "
        "\"C:\\\\windows\\\\KXUN32.EXE\"=dword:00000001",
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
        "HKEY_LOCAL_MACHINE\\Software\\App"};
    const std::vector<Leftover> leftovers =
        JudgeLeftovers(remained, "C:\\windows\\KXUN32.EXE C:\\Program Files\\App\\SETUP.INF");
    std::vector<bool> expected;
    for (const Leftover& leftover : leftovers) {
        expected.push_back(!leftover.expected.empty());
    }
    EXPECT_EQ(expected, (std::vector<bool>{true, false, true, true, false}));

    TestOutcome outcome;
    outcome.install = {true, "installed"};
    outcome.expectation = typical;
    outcome.removal = RemovalOutcome{{false, "not run"}, false, "", "", {}, remained, leftovers};
    std::string text = ReportText(outcome);
    EXPECT_NE(text.find("Files: 4 of 5 expected installed"), std::string::npos);
    EXPECT_NE(text.find("missing: C:\\Program Files\\App\\DATA\\DATA.DAT  300 bytes"),
              std::string::npos);
    EXPECT_NE(text.find("different in size: C:\\Program Files\\App\\HELP.TXT  19 bytes, the "
                        "script says 20"),
              std::string::npos);
    EXPECT_EQ(text.find("after the removal"), std::string::npos);
    outcome.removal->ran = true;
    text = ReportText(outcome);
    EXPECT_NE(text.find("Left after the removal: 5 (3 expected, 2 not)"), std::string::npos);
    EXPECT_NE(text.find("+ C:\\Program Files\\App\\STRAY.TXT  NOT EXPECTED"), std::string::npos);
    EXPECT_NE(text.find("What remained after the removal"), std::string::npos);
}

TEST(ProductTestReport, SortsThePrefixDifferenceAndReportsIt) {
    const std::string changes =
        "> file ./Program Files/App/A.EXE\n"
        "< file ./windows/win.ini\n"
        "> file ./windows/win.ini\n"
        "< file ./Program Files/Old/B.DLL\n"
        "> file ./users/me/Start Menu/Programs/App/App.lnk\n"
        "> machine [HKEY_LOCAL_MACHINE\\Software\\App] \"Version\"=\"1.0\"\n"
        "> machine [HKEY_LOCAL_MACHINE\\Software\\App]\n"
        "> user [HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"
        "< user [HKEY_CURRENT_USER\\Software\\Gone]\n";
    const std::string ini = "> ini ./windows/win.ini [App] Key=Value\n";
    const PrefixDifference difference =
        ReadPrefixDifference(changes, ini, [](const std::string& path) {
            return path == "Program Files/App/A.EXE" ? std::optional<std::uint64_t>(1234567)
                                                     : std::nullopt;
        });
    ASSERT_EQ(difference.added.size(), 2u);
    EXPECT_EQ(difference.added[0].path, "C:\\Program Files\\App\\A.EXE");
    EXPECT_EQ(difference.added[0].size, 1234567u);
    ASSERT_EQ(difference.changed.size(), 1u);
    EXPECT_EQ(difference.changed[0].path, "C:\\windows\\win.ini");
    EXPECT_EQ(difference.removed, std::vector<std::string>{"C:\\Program Files\\Old\\B.DLL"});
    EXPECT_EQ(difference.startMenu,
              std::vector<std::string>{"C:\\users\\me\\Start Menu\\Programs\\App\\App.lnk"});
    EXPECT_EQ(difference.registryAdded,
              (std::vector<std::string>{"HKEY_LOCAL_MACHINE\\Software\\App: \"Version\"=\"1.0\"",
                                        "HKEY_LOCAL_MACHINE\\Software\\App"}));
    EXPECT_EQ(difference.registryRemoved,
              std::vector<std::string>{"HKEY_CURRENT_USER\\Software\\Gone"});
    EXPECT_EQ(difference.iniAdded,
              std::vector<std::string>{"C:\\windows\\win.ini [App] Key=Value"});

    TestOutcome outcome;
    outcome.product = "App & <Co>";
    outcome.install = {false, "the installer's last message was \"x\""};
    outcome.changes = difference;
    outcome.removal = RemovalOutcome{{true, "removed"}, true, "KXUN32.EXE", "t.txt", {}, {}, {}};
    const std::string text = ReportText(outcome);
    EXPECT_NE(text.find("Files added: 2, 1,234,567 bytes"), std::string::npos);
    EXPECT_NE(text.find("+ C:\\Program Files\\App\\A.EXE  1,234,567 bytes"), std::string::npos);
    EXPECT_NE(text.find("Start Menu items (1):"), std::string::npos);
    const std::string xml = JUnitXml(outcome);
    EXPECT_NE(xml.find("name=\"setupkit test App &amp; &lt;Co&gt;\" tests=\"2\" failures=\"1\""),
              std::string::npos);
    EXPECT_NE(xml.find("<failure message=\"the installer's last message was &quot;x&quot;\"/>"),
              std::string::npos);
}

} // namespace

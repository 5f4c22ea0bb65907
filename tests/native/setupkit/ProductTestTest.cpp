// Judging and reporting a `setupkit test` run from what the driver and the snapshots recorded.
#include "testing/DiskLabels.h"
#include "testing/PrefixDifference.h"
#include "testing/TestReport.h"
#include "testing/TestVerdict.h"

#include <gtest/gtest.h>

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

    const Verdict mismatch =
        JudgeInstall(1, success + "[ 2.0] FAILED at line 4: control 101 shows \"A\"\n", kTexts);
    EXPECT_FALSE(mismatch.passed);
    EXPECT_EQ(mismatch.summary,
              "the scenario did not hold: FAILED at line 4: control 101 shows \"A\"");
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
    outcome.removal = RemovalOutcome{{true, "removed"}, "KXUN32.EXE", "t.txt", {}};
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

#include "engine/Accounting.h"
#include "engine/AnswerFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Component NamedComponent(std::string_view name, std::string_view description = {}) {
    Component component;
    component.name = FixedText(name);
    component.description = FixedText(description);
    return component;
}

// A product with three components, one program group and all three types offered.
SetupScript SampleScript() {
    SetupScript script;
    script.productName = FixedText("Sample Notepad");
    script.directories.push_back({0, FixedText("?F\\Sample"), FixedText(), 0});
    script.programGroups.push_back(FixedText("Sample Notepad"));
    script.components = {NamedComponent("Program Files", "The program."), NamedComponent("Help"),
                         NamedComponent("Samples", "Letters to start from.")};
    script.typicalOffered = script.minimalOffered = script.customOffered = 1;
    return script;
}

std::vector<std::uint8_t> Ticks(std::initializer_list<std::uint8_t> ticks) {
    return ticks;
}

AnswersOrError Read(std::string_view text, const SetupScript& script = SampleScript()) {
    return ReadAnswers(SplitIniText(text), script);
}

void ExpectSameAnswers(const Answers& expected, const Answers& actual) {
    EXPECT_EQ(expected.destination, actual.destination);
    EXPECT_EQ(expected.setupType, actual.setupType);
    EXPECT_EQ(expected.components, actual.components);
    EXPECT_EQ(expected.createGroups, actual.createGroups);
    EXPECT_EQ(expected.groupName, actual.groupName);
    EXPECT_EQ(expected.fileExists, actual.fileExists);
    EXPECT_EQ(expected.startPrograms, actual.startPrograms);
}

TEST(AnswerFileTest, WrittenAnswersReadBackTheSame) {
    const SetupScript script = SampleScript();
    Answers custom;
    custom.destination = "\\\\server\\share\\Sample";
    custom.setupType = kSetupCustom;
    custom.components = {true, false, true};
    custom.createGroups = false;
    custom.groupName = "Tools";
    custom.fileExists = FileExistsAnswer::Replace;
    custom.startPrograms = true;
    Answers minimal;
    minimal.destination = "D:\\Apps\\Sample";
    minimal.setupType = kSetupMinimal;
    for (const Answers& answers : {custom, minimal, DefaultAnswers(script)}) {
        for (bool commented : {true, false}) {
            const std::string text = WriteAnswers(answers, script, commented);
            const AnswersOrError read = Read(text, script);
            ASSERT_EQ("", read.error) << text;
            ExpectSameAnswers(answers, read.answers);
        }
    }
}

TEST(AnswerFileTest, CommentedFileExplainsEachKeyAndListsEveryComponent) {
    const std::string text = WriteAnswers(DefaultAnswers(SampleScript()), SampleScript(), true);
    EXPECT_NE(std::string::npos, text.find("; Answers for an unattended installation of Sample "
                                           "Notepad.\r\n"));
    EXPECT_NE(std::string::npos, text.find("Typical, Minimal or Custom. Default: Typical\r\n"
                                           "SetupType=Typical\r\n"));
    // Typical: the components are there to choose from, but as comments the reader passes.
    EXPECT_NE(std::string::npos, text.find("; Samples: Letters to start from.\r\n;Samples=yes"));
    EXPECT_NE(std::string::npos, text.find(";Help=yes\r\n"));
    const std::string bare = WriteAnswers(DefaultAnswers(SampleScript()), SampleScript(), false);
    EXPECT_EQ(std::string::npos, bare.find(';'));
    EXPECT_EQ(std::string::npos, bare.find("[Components]"));
}

TEST(AnswerFileTest, DefaultsFollowTheOfferedTypes) {
    SetupScript script = SampleScript();
    script.typicalOffered = script.minimalOffered = 0;
    const Answers onlyCustom = DefaultAnswers(script);
    EXPECT_EQ(kSetupCustom, onlyCustom.setupType);
    EXPECT_EQ(Ticks({1, 1, 1}), onlyCustom.components);
    const AnswersOrError partly = Read("[Components]\nHelp=no\n", script);
    ASSERT_EQ("", partly.error);
    EXPECT_EQ(Ticks({1, 0, 1}), partly.answers.components);
    script.customOffered = 0;
    EXPECT_EQ(kSetupTypical, DefaultAnswers(script).setupType);
    EXPECT_EQ(kSetupTypical, Read("[Setup]\nSetupType=Typical\n", script).answers.setupType);
}

TEST(AnswerFileTest, NamesAndWordsAreComparedWithoutRegardToCase) {
    const AnswersOrError read = Read("[setup]\nsetuptype = CUSTOM\nprogramgroup=No\n"
                                     "FILEEXISTS=Replace\n[COMPONENTS]\nprogram files=NO\n");
    ASSERT_EQ("", read.error);
    EXPECT_EQ(kSetupCustom, read.answers.setupType);
    EXPECT_FALSE(read.answers.createGroups);
    EXPECT_EQ(FileExistsAnswer::Replace, read.answers.fileExists);
    EXPECT_EQ(Ticks({0, 1, 1}), read.answers.components);
}

TEST(AnswerFileTest, EachKindOfFaultIsNamedBySectionAndKey) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"[Extra]\n", "[Extra]: unknown section"},
        {"[Setup]\nColour=red\n", "[Setup] Colour: unknown key"},
        {"[Setup]\nSetupType=Custom\n[Components]\nHelp=yes\nhelp=no\n",
         "[Components] help: given twice"},
        {"[Setup]\nSetupType=Custom\n[Components]\nManual=yes\n",
         "[Components] Manual: the product has no component of this name"},
        {"[Components]\nHelp=yes\n", "[Components]: only read for SetupType=Custom"},
        {"[Setup]\nSetupType=Largest\n", "[Setup] SetupType: expected Typical, Minimal or Custom, "
                                         "not \"Largest\""},
        {"[Setup]\nProgramGroup=maybe\n", "[Setup] ProgramGroup: expected yes or no, not "
                                          "\"maybe\""},
        {"[Setup]\nFileExists=yes\n", "[Setup] FileExists: expected keep or replace, not \"yes\""},
        {"[Setup]\nDestination=Program Files\\Sample\n",
         "[Setup] Destination: expected an absolute path (C:\\... or \\\\server\\share\\...)"},
        {"[Setup]\nDestination=\\\\server\n",
         "[Setup] Destination: expected an absolute path (C:\\... or \\\\server\\share\\...)"},
        {"[Setup]\nStartPrograms\n", "[Setup] StartPrograms: expected Key=value"},
        {"[Setup]\n[setup]\n", "[setup]: section given twice"},
    };
    for (const auto& [text, error] : cases) {
        EXPECT_EQ(error, Read(text).error) << text;
    }
    const std::string longPath = "[Setup]\nDestination=C:\\" + std::string(253, 'x') + "\n";
    EXPECT_EQ("[Setup] Destination: 256 characters, at most 255 are allowed", Read(longPath).error);
    EXPECT_EQ("", Read("[Setup]\nDestination=C:\\" + std::string(252, 'x') + "\n").error);
}

TEST(AnswerFileTest, TypesAndGroupNamesMustBeOnesTheProductHas) {
    SetupScript script = SampleScript();
    script.minimalOffered = 0;
    EXPECT_EQ("[Setup] SetupType: Minimal is not offered by this product (it offers Typical, "
              "Custom)",
              Read("[Setup]\nSetupType=minimal\n", script).error);
    script.typicalOffered = script.customOffered = 0;
    EXPECT_EQ("[Setup] SetupType: Custom is not offered by this product (it offers no type; "
              "Typical is taken)",
              Read("[Setup]\nSetupType=Custom\n", script).error);
    script.programGroups.push_back(FixedText("Tools"));
    EXPECT_EQ("[Setup] GroupName: the product has 2 program groups; a name can only be given "
              "when it has one",
              Read("[Setup]\nGroupName=Mine\n", script).error);
    script.programGroups.clear();
    EXPECT_NE("", Read("[Setup]\nGroupName=Mine\n", script).error);
}

TEST(AnswerFileTest, SplitIniTextLeavesOutCommentsAndBlankLines) {
    const std::vector<IniSection> sections =
        SplitIniText("; header\r\nStray=1\r\n\r\n  [ Setup ]  \r\n  SetupType = Custom \r\n"
                     ";SetupType=Minimal\r\n\t\r\n[Components]\r\nHelp=no");
    ASSERT_EQ(2u, sections.size());
    EXPECT_EQ("Setup", sections[0].name);
    EXPECT_EQ(std::vector<std::string>({"SetupType = Custom"}), sections[0].lines);
    EXPECT_EQ("Components", sections[1].name);
    EXPECT_EQ(std::vector<std::string>({"Help=no"}), sections[1].lines);
    EXPECT_TRUE(SplitIniText("").empty());
}

} // namespace

#include "DescriptionWriter.h"
#include "ProductDescription.h"
#include "script/ScriptLoader.h"
#include "script/ScriptWriter.h"
#include "support/ScriptBuilder.h"
#include "support/ScriptGenerator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// dump, then compile: the bytes that come out of the description written for image.
std::vector<std::uint8_t> DumpAndCompile(const std::vector<std::uint8_t>& image,
                                         std::string* dumped = nullptr) {
    const std::string text = WriteProductDescription(ParseSetupScript(image), "SETUP.INF");
    if (dumped) {
        *dumped = text;
    }
    const Result<ProductDescription> compiled =
        ParseProductDescription(text, "dump.toml", "/nonexistent/setupkit-test");
    if (!compiled) {
        ADD_FAILURE() << compiled.Error().Message() << "\n" << text;
        return {};
    }
    return WriteSetupScript(compiled.Value().script);
}

// Makes names collide the way hand-made scripts do: items and groups sharing names, an item
// named like the ids dump makes up, empty names that components still refer to.
void AddCollisions(SetupScript& s, unsigned seed) {
    for (std::size_t i = 0; i < s.installItems.size(); ++i) {
        if ((i + seed) % 3 == 0) {
            s.installItems[i].name = FixedText("SAME.DLL");
        } else if ((i + seed) % 7 == 0) {
            s.installItems[i].name = FixedText{};
        } else if ((i + seed) % 11 == 0) {
            s.installItems[i].name = FixedText("item" + std::to_string(i % 5 + 1));
        }
    }
    for (std::size_t i = 0; i < s.programGroups.size(); i += 2) {
        s.programGroups[i] = FixedText("Group");
    }
}

} // namespace

TEST(DumpRoundTrip, GeneratedScriptsCompileBackByteForByte) {
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SetupScript original = ScriptGenerator(seed).Make();
        if (seed % 2 == 0) {
            AddCollisions(original, seed);
        }
        const std::vector<std::uint8_t> image = WriteSetupScript(original);
        ASSERT_EQ(DumpAndCompile(image), image) << "seed " << seed;
    }
}

TEST(DumpRoundTrip, CompiledScriptEqualsTheLoadedOne) {
    // Beyond the bytes: the fields the loader computes (counts, totals) come out the same.
    const std::vector<std::uint8_t> image = WriteSetupScript(ScriptGenerator(77).Make());
    const SetupScript loaded = ParseSetupScript(image);
    const Result<ProductDescription> compiled = ParseProductDescription(
        WriteProductDescription(loaded), "dump.toml", "/nonexistent/setupkit-test");
    ASSERT_TRUE(compiled);
    const SetupScript& s = compiled.Value().script;
    ASSERT_EQ(s.installItems.size(), loaded.installItems.size());
    for (std::size_t i = 0; i < s.installItems.size(); ++i) {
        EXPECT_EQ(s.installItems[i].installCount, loaded.installItems[i].installCount) << i;
    }
    ASSERT_EQ(s.components.size(), loaded.components.size());
    for (std::size_t i = 0; i < s.components.size(); ++i) {
        EXPECT_EQ(s.components[i].totalSize, loaded.components[i].totalSize) << i;
    }
    EXPECT_EQ(s.uninstallName, loaded.uninstallName);
}

TEST(DumpRoundTrip, OddHandMadeFilesCompileBack) {
    // The smallest script, with no directory at all.
    EXPECT_EQ(DumpAndCompile(MinimalScriptImage()), MinimalScriptImage());

    // Odd but loadable values everywhere: unused fields set, NULs in texts, flag bytes that
    // are neither 0 nor 1, numbers beyond their lists, a text kind byte of 7, a show command
    // no SW_ name has, an absent uninstall entry that still stores a text, a registry key
    // SETUP.EXE cannot use, texts that look like references.
    ScriptBuilder b;
    b.Text(std::string("a\0b", 3)).Byte(0xEE).Text("${x} $${y}");
    b.Text("Prod\x81\x8D\x8F\x90\x9D\xA0\xAD").Text("T\tab").Text("line\r\nbreak\n").Texts(3, "t");
    b.Byte(0x42).Texts(10, "\"quoted\" \\back\\ \x7F");
    b.Byte(0xFF);                                           // completion flags
    b.Byte(2).Text("\xE9tiquette").Text("");                // disk labels, one empty
    b.Byte(1).Text("C:\\APP");                              // one directory
    b.Byte(2).Byte(3).Byte(3).Text("G").Text("G").Text(""); // groups, two the same
    b.Byte(3);                                              // program items
    b.Byte(1).Text("in the first G").Text("c").Text("w").Text("i").Byte(9);
    b.Byte(0).Text("nowhere").Text("").Text("").Text("").Byte(0);
    b.Byte(3).Text("empty group").Text("").Text("").Text("").Byte(0);
    b.Word(3); // install items
    b.Byte(9).Byte(9).Text("F").Byte(2).Byte(200).Byte(77).Byte(5).Byte(6);
    b.Dword(123).Text("SUB").Byte(7);
    b.Byte(0).Byte(0).Text("F").Byte(0).Byte(3).Byte(4).Byte(0).Byte(0);
    b.Dword(0).Text("").Byte(0);
    b.Byte(1).Byte(1).Text("").Byte(1).Byte(1).Byte(1).Byte(1).Byte(1);
    b.Dword(0xFFFFFFFF).Text("").Byte(1);
    b.Byte(2).Text("run").Word(0xFFFF).Text("").Text("hidden").Word(0).Text("");
    b.Word(1).Text("[K]").Word(3); // registry
    b.Text("n").Byte(7).Text("data").Text("").Byte(1).Text("").Text("num").Byte(0).Dword(42);
    b.Byte(2); // components
    b.Text("C").Text("D").Byte(2).Byte(3).Word(4).Word(0).Word(1).Word(1).Word(2);
    b.Text("").Text("").Byte(0).Byte(0).Word(0);
    b.Byte(4).Text("T").Byte(0).Text("M").Byte(0).Text("");
    b.Byte(1).Text("f").Text("s").Text("").Text(""); // INI
    b.Byte(1).Byte(0).Text("zero");                  // first changes
    b.Byte(1).Byte(255).Text("");                    // second changes
    b.Byte(0).Text("kept though unused");
    const auto odd = b.Image();
    std::string dumped;
    EXPECT_EQ(DumpAndCompile(odd, &dumped), odd);
    EXPECT_NE(dumped.find("flags = 255"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("kind = 7"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("present = false"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("key = \"[K]\"\n# SETUP.EXE cannot use this key path and skips the "
                          "key\nverbatim = true"),
              std::string::npos)
        << dumped;
    EXPECT_NE(dumped.find("text3 = \"$${x} $$${y}\""), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("\\u0000"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("\"\"\"\nline\\r\nbreak\n\"\"\""), std::string::npos) << dumped;

    // An uninstall entry whose byte is neither 0 nor 1.
    ScriptBuilder present;
    present.EmptyHeaderFields();
    present.Byte(0).Byte(0).Byte(1).Byte(1).Byte(0).Byte(0).Word(0).Byte(0).Word(0).Byte(0);
    present.Byte(0).Text("").Byte(0).Text("").Byte(0).Text("").Byte(0).Byte(0).Byte(0);
    present.Byte(2).Text("Uninstall me");
    EXPECT_EQ(DumpAndCompile(present.Image()), present.Image());
}

TEST(DumpRoundTrip, DumpNamesWhatItCanAndNumbersTheRest) {
    SetupScript s;
    s.directories.resize(2);
    s.directories[0].templatePath = FixedText("?F\\Sample");
    s.directories[1].templatePath = FixedText("?D\\HELP");
    s.programGroups = {FixedText("Sample")};
    s.programItems.resize(2);
    s.programItems[0].groupNumber = 1;
    s.programItems[1].groupNumber = 0;
    s.installItems.resize(3);
    s.installItems[0].name = FixedText("SAMPLE.EXE");
    s.installItems[0].dirIndex = 1;
    s.installItems[1].name = FixedText("HELP.TXT");
    s.installItems[1].dirIndex = 2;
    s.installItems[2].name = FixedText("HELP.TXT");
    s.installItems[2].dirIndex = 7;
    for (InstallItem& item : s.installItems) {
        item.diskNumber = 1;
        item.action = 1;
        item.overwriteMode = 1;
    }
    s.components.resize(1);
    s.components[0].files = {0, 1, 2};
    s.finalPrograms = {FinalProgram{FixedText("X"), 1, FixedText{}}};
    const std::string text = WriteProductDescription(s);
    EXPECT_NE(text.find("id = \"dir2\""), std::string::npos);
    EXPECT_NE(text.find("directory = \"dir2\""), std::string::npos);
    EXPECT_NE(text.find("directory = 7"), std::string::npos) << "beyond the list: a number";
    EXPECT_NE(text.find("group = \"Sample\""), std::string::npos);
    EXPECT_NE(text.find("group = 0"), std::string::npos);
    EXPECT_NE(text.find("show = \"SW_SHOWNORMAL\""), std::string::npos);
    EXPECT_NE(text.find("files = [\"SAMPLE.EXE\", \"item2\", \"item3\"]"), std::string::npos)
        << "a shared name needs ids:\n"
        << text;
    const Result<ProductDescription> back = ParseProductDescription(text, "dump.toml", "/");
    ASSERT_TRUE(back) << back.Error().Message();
    EXPECT_EQ(WriteSetupScript(back.Value().script), WriteSetupScript(s));
}

TEST(DumpRoundTrip, NamesWindowsCannotTakeAreMarkedVerbatimForBuildToRefuse) {
    SetupScript s;
    s.directories.resize(1);
    s.directories[0].templatePath = FixedText("?F\\App");
    const std::pair<const char*, ItemAction> items[] = {
        {"con.txt", ItemAction::Copy},  {"Read.me", ItemAction::Copy},
        {"READ.ME", ItemAction::Copy},  {"SAME.DLL", ItemAction::Copy},
        {"SAME.DLL", ItemAction::Copy}, {"con.txt", ItemAction::Delete},
    };
    for (const auto& [name, action] : items) {
        InstallItem& item = s.installItems.emplace_back();
        item.name = FixedText(name);
        item.dirIndex = item.diskNumber = item.overwriteMode = 1;
        item.action = static_cast<std::uint8_t>(action);
    }
    const std::string text = WriteProductDescription(s);
    std::size_t marked = 0;
    for (std::size_t at = text.find("verbatim = true"); at != std::string::npos;
         at = text.find("verbatim = true", at + 1)) {
        ++marked;
    }
    EXPECT_EQ(marked, 3u) << "a device, and two names equal but for case:\n" << text;
    const Result<ProductDescription> back = ParseProductDescription(text, "dump.toml", "/");
    ASSERT_TRUE(back) << back.Error().Message();
    EXPECT_EQ(WriteSetupScript(back.Value().script), WriteSetupScript(s));
    ASSERT_EQ(back.Value().unusable.size(), 1u);
    EXPECT_NE(back.Value().unusable[0].problem.find("\"Read.me\" (line "), std::string::npos)
        << back.Value().unusable[0].problem;
}

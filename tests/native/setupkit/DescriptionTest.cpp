#include "ProductDescription.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path kNoFolder = "/nonexistent/setupkit-test";

ProductDescription Load(std::string_view text, const fs::path& base = kNoFolder) {
    Result<ProductDescription> result = ParseProductDescription(text, "product.toml", base);
    if (!result) {
        ADD_FAILURE() << result.Error().Message();
        return {};
    }
    return std::move(result.Value());
}

std::string_view Stored(const FixedText& text) {
    return text.Stored();
}
std::string_view Stored(const TextBlock& block) {
    return block ? block->Stored() : std::string_view{};
}

// A folder of its own for source files, removed afterwards.
class SourceFolder {
public:
    SourceFolder() {
        path_ = fs::temp_directory_path() /
                ("setupkit-description-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(path_ / "files");
    }
    ~SourceFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(path_ / name, std::ios::binary) << content;
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

} // namespace

TEST(ProductDescription, HeaderTablesFillEveryHeaderField) {
    const ProductDescription d = Load(R"(
[product]
name = "Sample"
[unused]
text1 = "one"
byte2 = 90
text3 = "three"
[welcome]
title = "Welcome title"
text = """
Line one
Line two"""
[destination]
title = "Destination title"
text = "Destination text"
[disk_prompt]
title = "Disk title"
text = "Disk text"
[success]
caption = "Success caption"
text = "Success text"
[failure]
caption = "Failure caption"
text = "Failure text"
[cancel]
caption = "Cancel caption"
text = "Cancel text"
[background]
style = "stretched"
file = "BACK.BMP"
[side_bitmap]
file = "SIDE.BMP"
[readme]
file = "README.TXT"
[completion]
restart_windows = true
reboot = true
)");
    const SetupScript& s = d.script;
    EXPECT_EQ(Stored(s.productName), "Sample");
    EXPECT_EQ(Stored(s.unusedText1), "one");
    EXPECT_EQ(s.unusedByte2, 90);
    EXPECT_EQ(Stored(s.unusedText3), "three");
    EXPECT_EQ(Stored(s.welcomeTitle), "Welcome title");
    EXPECT_EQ(Stored(s.welcomeText), "Line one\nLine two") << "the newline after \"\"\" is dropped";
    EXPECT_EQ(Stored(s.destinationTitle), "Destination title");
    EXPECT_EQ(Stored(s.destinationText), "Destination text");
    EXPECT_EQ(Stored(s.diskPromptTitle), "Disk title");
    EXPECT_EQ(Stored(s.diskPromptText), "Disk text");
    EXPECT_EQ(Stored(s.successCaption), "Success caption");
    EXPECT_EQ(Stored(s.successText), "Success text");
    EXPECT_EQ(Stored(s.failureCaption), "Failure caption");
    EXPECT_EQ(Stored(s.failureText), "Failure text");
    EXPECT_EQ(Stored(s.cancelCaption), "Cancel caption");
    EXPECT_EQ(Stored(s.cancelText), "Cancel text");
    EXPECT_EQ(s.BackgroundStyle, 3);
    EXPECT_EQ(Stored(s.backgroundBitmap), "BACK.BMP");
    EXPECT_EQ(Stored(s.sideBitmap), "SIDE.BMP");
    EXPECT_EQ(Stored(s.readmeFile), "README.TXT");
    EXPECT_EQ(s.completionFlags, kCompletionRestartWindows | kCompletionReboot);
    EXPECT_TRUE(d.readme.empty()) << "no source named";
}

TEST(ProductDescription, CodedBytesTakeNamesOrRawNumbers) {
    const auto style = [](std::string_view value) {
        return Load("[background]\nstyle = " + std::string(value) + "\n").script.BackgroundStyle;
    };
    EXPECT_EQ(style("\"plain\""), 0);
    EXPECT_EQ(style("\"gradient-shadowed\""), 1);
    EXPECT_EQ(style("\"tiled\""), 2);
    EXPECT_EQ(style("\"gradient\""), 4);
    EXPECT_EQ(style("200"), 200);

    EXPECT_EQ(Load("[completion]\nflags = 0xEE\n").script.completionFlags, 0xEEu);
    EXPECT_EQ(Load("[completion]\nreboot = true\nrestart_windows = false\n").script.completionFlags,
              kCompletionReboot);
    EXPECT_EQ(Load("").script.completionFlags, 0u);

    const ProductDescription flags = Load(R"(
[program_groups]
show_page = false
ask_first = 7
[setup_types]
typical = { label = "Typical" }
minimal = { offered = false, label = "Minimal" }
custom = { offered = 3 }
[uninstall]
present = false
name = "kept though unused"
)");
    EXPECT_EQ(flags.script.showGroupPage, 0u);
    EXPECT_EQ(flags.script.askBeforeGroup, 7u);
    EXPECT_EQ(flags.script.typicalOffered, 1u) << "a setup type that is described is offered";
    EXPECT_EQ(Stored(flags.script.typicalLabel), "Typical");
    EXPECT_EQ(flags.script.minimalOffered, 0u);
    EXPECT_EQ(Stored(flags.script.minimalLabel), "Minimal");
    EXPECT_EQ(flags.script.customOffered, 3u);
    EXPECT_EQ(flags.script.uninstallPresent, 0);
    EXPECT_EQ(Stored(flags.script.uninstallName), "") << "an absent entry has no name in use";
    EXPECT_EQ(Stored(flags.script.uninstallNameAsStored), "kept though unused");

    const ProductDescription defaults = Load("[uninstall]\nname = \"Sample\"\n");
    EXPECT_EQ(defaults.script.showGroupPage, 1u);
    EXPECT_EQ(defaults.script.askBeforeGroup, 1u);
    EXPECT_EQ(defaults.script.uninstallPresent, 1);
    EXPECT_EQ(Stored(defaults.script.uninstallName), "Sample");
}

TEST(ProductDescription, ListsFillEverySection) {
    const ProductDescription d = Load(R"(
[disks]
labels = ["Disk One", "", "Disk Three"]
[[directory]]
id = "app"
path = "?F\\Sample"
[[directory]]
path = "?D\\HELP"
[program_groups]
names = ["Sample", "Tools"]
[[program_item]]
name = "Sample"
group = "Tools"
command = "?D\\SAMPLE.EXE"
working_directory = "?D"
icon = "?D\\SAMPLE.EXE"
icon_index = 2
[[program_item]]
name = "Read Me"
command = "NOTEPAD.EXE ?D\\README.TXT"
[[install]]
id = "main"
name = "SAMPLE.EXE"
directory = "app"
disk = "Disk Three"
size = 1000
compressed = true
parts = 2
read_only = true
shared = 9
source_subdir = "BIN"
overwrite = "always"
[[install]]
name = "HELP.TXT"
directory = "?D\\HELP"
size = 20
action = "copy"
overwrite = "ask"
[[install]]
name = "?D\\OLD.DLL"
action = "delete"
directory = 2
disk = 2
[[final_program]]
command = "?D\\SAMPLE.EXE"
show = "SW_SHOWMAXIMIZED"
working_directory = "?D"
[[final_program]]
command = "X"
show = 700
[[registry]]
key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sample]"
[[registry.value]]
name = "Path"
text = "?D"
[[registry.value]]
name = "Runs"
number = 0xFFFFFFFF
[[registry.value]]
text = ""
kind = 7
[[registry]]
key = "[HKEY_CURRENT_USER\\Software\\Sample]"
[[component]]
name = "Program"
description = "The program"
minimal = true
typical = true
files = ["main", 2]
[[component]]
name = "Help"
files = ["HELP.TXT", "main"]
[[ini]]
file = "?W\\WIN.INI"
section = "Sample"
key = "Path"
value = "?D"
[system_changes]
first = [{ code = 1, value = "DEVICE=?D\\SAMPLE.SYS" }]
second = [{ code = 11, value = "x" }, { code = 2 }]
)");
    const SetupScript& s = d.script;
    ASSERT_EQ(s.diskLabels.size(), 3u);
    EXPECT_EQ(Stored(s.diskLabels[0]), "Disk One");
    EXPECT_FALSE(s.diskLabels[1].has_value()) << "an empty text* is absent, as the loader has it";

    ASSERT_EQ(s.directories.size(), 2u);
    EXPECT_EQ(Stored(s.directories[0].templatePath), "?F\\Sample");
    EXPECT_EQ(Stored(s.directories[0].path), "?F\\Sample");
    EXPECT_EQ(Stored(s.directories[1].templatePath), "?D\\HELP");

    ASSERT_EQ(s.programGroups.size(), 2u);
    ASSERT_EQ(s.programItems.size(), 2u);
    const ProgramItem& item = s.programItems[0];
    EXPECT_EQ(item.groupNumber, 2);
    EXPECT_EQ(Stored(item.name), "Sample");
    EXPECT_EQ(Stored(item.commandLine), "?D\\SAMPLE.EXE");
    EXPECT_EQ(Stored(item.workingDirectory), "?D");
    EXPECT_EQ(Stored(item.iconPath), "?D\\SAMPLE.EXE");
    EXPECT_EQ(item.iconIndex, 2);
    EXPECT_EQ(s.programItems[1].groupNumber, 1) << "an item without a group goes to the first";

    ASSERT_EQ(s.installItems.size(), 3u);
    const InstallItem& main = s.installItems[0];
    EXPECT_EQ(Stored(main.name), "SAMPLE.EXE");
    EXPECT_EQ(main.dirIndex, 1);
    EXPECT_EQ(main.diskNumber, 3);
    EXPECT_EQ(main.size, 1000u);
    EXPECT_EQ(main.compressed, 1);
    EXPECT_EQ(main.partCount, 2);
    EXPECT_EQ(main.readOnly, 1);
    EXPECT_EQ(main.shared, 9);
    EXPECT_EQ(Stored(main.sourceSubdir), "BIN");
    EXPECT_EQ(main.action, static_cast<std::uint8_t>(ItemAction::Copy));
    EXPECT_EQ(main.overwriteMode, static_cast<std::uint8_t>(OverwriteMode::Always));
    EXPECT_EQ(s.installItems[1].dirIndex, 2) << "a directory is found by its path too";
    EXPECT_EQ(s.installItems[1].diskNumber, 1) << "disk 1 unless said otherwise";
    EXPECT_EQ(s.installItems[1].overwriteMode, static_cast<std::uint8_t>(OverwriteMode::Ask));
    EXPECT_EQ(s.installItems[2].action, static_cast<std::uint8_t>(ItemAction::Delete));
    EXPECT_EQ(s.installItems[2].overwriteMode, static_cast<std::uint8_t>(OverwriteMode::IfOlder));
    EXPECT_EQ(s.installItems[2].dirIndex, 2);
    EXPECT_EQ(s.installItems[2].diskNumber, 2);
    EXPECT_EQ(d.itemIds, (std::vector<std::string>{"main", "HELP.TXT", "?D\\OLD.DLL"}));
    EXPECT_TRUE(d.sources[0].diskGiven);
    EXPECT_TRUE(d.sources[0].sizeGiven);
    EXPECT_FALSE(d.sources[1].diskGiven);

    ASSERT_EQ(s.finalPrograms.size(), 2u);
    EXPECT_EQ(s.finalPrograms[0].showCommand, 3);
    EXPECT_EQ(Stored(s.finalPrograms[0].workingDirectory), "?D");
    EXPECT_EQ(s.finalPrograms[1].showCommand, 700);

    ASSERT_EQ(s.registryKeys.size(), 2u);
    const RegistryKey& key = s.registryKeys[0];
    EXPECT_EQ(Stored(key.keyPath), "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sample]");
    ASSERT_EQ(key.values.size(), 3u);
    EXPECT_EQ(key.values[0].kind, RegistryValueKind::Text);
    EXPECT_EQ(key.values[0].storedKind, 1);
    EXPECT_EQ(Stored(key.values[0].text), "?D");
    EXPECT_EQ(key.values[1].kind, RegistryValueKind::Number);
    EXPECT_EQ(key.values[1].storedKind, 0);
    EXPECT_EQ(key.values[1].number, 0xFFFFFFFFu);
    EXPECT_EQ(Stored(key.values[2].name), "") << "the key's default value";
    EXPECT_EQ(key.values[2].storedKind, 7);
    EXPECT_TRUE(s.registryKeys[1].values.empty());

    ASSERT_EQ(s.components.size(), 2u);
    EXPECT_EQ(Stored(s.components[0].description), "The program");
    EXPECT_EQ(s.components[0].inMinimal, 1);
    EXPECT_EQ(s.components[0].inTypical, 1);
    EXPECT_EQ(s.components[0].files, (std::vector<std::uint32_t>{0, 2}));
    EXPECT_EQ(s.components[1].files, (std::vector<std::uint32_t>{1, 0}));
    EXPECT_EQ(s.components[1].inMinimal, 0);
    // As the loader computes them: sizes add up, counts are the number of components.
    EXPECT_EQ(s.components[0].totalSize, 1000u);
    EXPECT_EQ(s.components[1].totalSize, 1020u);
    EXPECT_EQ(s.installItems[0].installCount, 2);
    EXPECT_EQ(s.installItems[1].installCount, 1);

    ASSERT_EQ(s.iniEntries.size(), 1u);
    EXPECT_EQ(Stored(s.iniEntries[0].file), "?W\\WIN.INI");
    EXPECT_EQ(Stored(s.iniEntries[0].section), "Sample");
    EXPECT_EQ(Stored(s.iniEntries[0].key), "Path");
    EXPECT_EQ(Stored(s.iniEntries[0].value), "?D");
    ASSERT_EQ(s.systemChangesFirst.size(), 1u);
    EXPECT_EQ(s.systemChangesFirst[0].changeType, 1u);
    EXPECT_EQ(Stored(s.systemChangesFirst[0].value), "DEVICE=?D\\SAMPLE.SYS");
    ASSERT_EQ(s.systemChangesSecond.size(), 2u);
    EXPECT_EQ(s.systemChangesSecond[0].changeType, 11u);
    EXPECT_EQ(Stored(s.systemChangesSecond[1].value), "");
    EXPECT_TRUE(d.warnings.empty());
}

TEST(ProductDescription, NumbersAreTakenAsTheScriptStoresThem) {
    // Out-of-range numbers load (a loadable script may hold them) but disks that do not exist
    // are worth a warning, and directories that do not exist are what build refuses.
    const ProductDescription d = Load(R"(
[disks]
labels = ["One"]
[[directory]]
path = "C:\\APP"
[program_groups]
names = ["G"]
[[program_item]]
group = 0
[[program_item]]
group = 255
[[install]]
name = "A"
directory = 0
disk = 0
[[install]]
name = "B"
directory = 255
disk = 200
[[component]]
files = [1, 0, 1]
)");
    EXPECT_EQ(d.script.programItems[0].groupNumber, 0);
    EXPECT_EQ(d.script.programItems[1].groupNumber, 255);
    EXPECT_EQ(d.script.installItems[0].dirIndex, 0);
    EXPECT_EQ(d.script.installItems[1].dirIndex, 255);
    EXPECT_EQ(d.script.installItems[1].diskNumber, 200);
    EXPECT_EQ(d.script.components[0].files, (std::vector<std::uint32_t>{1, 0, 1}));
    EXPECT_EQ(d.script.installItems[1].installCount, 2) << "listed twice, counted twice";
    ASSERT_EQ(d.warnings.size(), 2u);
    EXPECT_EQ(d.warnings[0].field, "install.disk");
    ASSERT_EQ(d.unusable.size(), 2u);
    EXPECT_EQ(d.unusable[0].Message("warning").rfind(
                  "product.toml:14: warning: install.directory: there is no directory 0 (of 1)", 0),
              0u)
        << d.unusable[0].Message();
    EXPECT_EQ(d.unusable[1].line, 18u);
}

TEST(ProductDescription, ScriptWithoutDirectoryLoadsButIsUnusable) {
    const ProductDescription d = Load("[product]\nname = \"X\"\n");
    EXPECT_TRUE(d.warnings.empty());
    ASSERT_EQ(d.unusable.size(), 1u);
    EXPECT_EQ(d.unusable[0].field, "directory");
    EXPECT_NE(d.unusable[0].problem.find("destination"), std::string::npos);
}

TEST(ProductDescription, DefinitionsAreWrittenOnceAndUsedInEveryText) {
    const ProductDescription d = Load(R"(
[define]
name = "Trial Mines"
version = "2.1"
[product]
name = "${name} ${version}"
[welcome]
text = "${name}${name}: $${name} stays, and so does a lone $ or {}"
[[directory]]
path = "?F\\${name}"
[program_groups]
names = ["${name}"]
[[program_item]]
group = "${name}"
name = "${name}"
[[registry]]
key = "[HKEY_CURRENT_USER\\Software\\${name}]"
value = [{ name = "Version", text = "${version}" }]
)");
    EXPECT_EQ(Stored(d.script.productName), "Trial Mines 2.1");
    EXPECT_EQ(Stored(d.script.welcomeText),
              "Trial MinesTrial Mines: ${name} stays, and so does a lone $ or {}");
    EXPECT_EQ(Stored(d.script.directories[0].templatePath), "?F\\Trial Mines");
    EXPECT_EQ(Stored(d.script.programGroups[0]), "Trial Mines");
    EXPECT_EQ(d.script.programItems[0].groupNumber, 1) << "references match names as written";
    EXPECT_EQ(Stored(d.script.registryKeys[0].keyPath),
              "[HKEY_CURRENT_USER\\Software\\Trial Mines]");
    EXPECT_EQ(Stored(d.script.registryKeys[0].values[0].text), "2.1");
}

TEST(ProductDescription, DisksMayBeNamedByTheLabelsOfThePattern) {
    const ProductDescription d = Load(R"(
[disks]
label_pattern = "Mines Disk %d"
[[directory]]
path = "C:\\APP"
[[install]]
name = "A"
disk = "Mines Disk 1"
[[install]]
name = "B"
disk = "Mines Disk 2"
)");
    EXPECT_EQ(d.script.installItems[0].diskNumber, 1);
    EXPECT_EQ(d.script.installItems[1].diskNumber, 2);
    const Result<ProductDescription> beyond = ParseProductDescription(
        "[disks]\nlabel_pattern = \"D%d\"\n[[install]]\nname = \"A\"\ndisk = \"E2\"\n", "p.toml",
        "/");
    ASSERT_FALSE(beyond);
    EXPECT_EQ(beyond.Error().line, 5u);
    const Result<ProductDescription> same = ParseProductDescription(
        "[disks]\nlabel_pattern = \"Disk\"\n[[install]]\nname = \"A\"\ndisk = \"Disk\"\n", "p.toml",
        "/");
    ASSERT_FALSE(same);
    EXPECT_NE(same.Error().problem.find("no %d"), std::string::npos) << same.Error().Message();
}

TEST(ProductDescription, SourcesGiveNamesAndSizes) {
    SourceFolder folder;
    folder.Write("files/notepad.exe", std::string(1234, 'x'));
    folder.Write("files/readme.txt", "Read me\r\n");
    folder.Write("files/back.bmp", "BM");
    folder.Write("files/side.bmp", "BM");
    const ProductDescription d = Load(R"(
[background]
source = "files/back.bmp"
[side_bitmap]
file = "SIDE.BMP"
source = "files/side.bmp"
[readme]
source = "files/readme.txt"
[[directory]]
path = "C:\\APP"
[[install]]
source = "files/notepad.exe"
[[install]]
name = "NOTE.EXE"
source = "files/notepad.exe"
size = 5
)",
                                      folder.Path());
    EXPECT_EQ(d.baseDirectory, folder.Path());
    EXPECT_EQ(d.readme, folder.Path() / "files/readme.txt");
    EXPECT_EQ(d.backgroundBitmap, folder.Path() / "files/back.bmp");
    EXPECT_EQ(d.sideBitmap, folder.Path() / "files/side.bmp");
    EXPECT_EQ(Stored(d.script.readmeFile), "readme.txt") << "the name defaults to the source's";
    EXPECT_EQ(Stored(d.script.backgroundBitmap), "back.bmp");
    EXPECT_EQ(Stored(d.script.sideBitmap), "SIDE.BMP");
    ASSERT_EQ(d.sources.size(), 2u);
    EXPECT_EQ(Stored(d.script.installItems[0].name), "notepad.exe");
    EXPECT_EQ(d.script.installItems[0].size, 1234u) << "the size is the source's";
    EXPECT_FALSE(d.sources[0].sizeGiven);
    EXPECT_EQ(d.sources[0].file, folder.Path() / "files/notepad.exe");
    EXPECT_EQ(d.itemIds[0], "notepad.exe");
    EXPECT_EQ(d.script.installItems[1].size, 5u) << "a written size wins";
    EXPECT_TRUE(d.sources[1].sizeGiven);

    const Result<ProductDescription> missing = ParseProductDescription(
        "[[install]]\nsource = \"files/none.txt\"\n", "p.toml", folder.Path());
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.Error().line, 2u);
    EXPECT_EQ(missing.Error().field, "install.source");
}

TEST(ProductDescription, DiskOptionsAndLabelPattern) {
    const ProductDescription d = Load(R"(
[disks]
capacity = "720K"
label_pattern = "Sample 100%% Disk %d"
[[directory]]
path = "C:\\APP"
[[install]]
name = "A"
[[install]]
name = "B"
disk = 3
)");
    EXPECT_EQ(d.disks.capacity, 737280u);
    ASSERT_EQ(d.script.diskLabels.size(), 3u) << "one label per disk used";
    EXPECT_EQ(Stored(d.script.diskLabels[0]), "Sample 100% Disk 1");
    EXPECT_EQ(Stored(d.script.diskLabels[2]), "Sample 100% Disk 3");
    EXPECT_TRUE(d.warnings.empty());

    EXPECT_EQ(Load("[disks]\ncapacity = 5000\n").disks.capacity, 5000u);
    EXPECT_FALSE(Load("[disks]\ncapacity = \"unlimited\"\n").disks.capacity.has_value());
    EXPECT_EQ(Load("[disks]\ncapacity = \"1.44M\"\n").disks.capacity, 1457664u);
    EXPECT_FALSE(Load("").disks.capacity.has_value());
    // Labels that are written are kept as they are.
    EXPECT_EQ(Load("[disks]\nlabels = [\"X\"]\nlabel_pattern = \"D%d\"\n[[install]]\nname = "
                   "\"A\"\ndisk = 2\n")
                  .script.diskLabels.size(),
              1u);
}

TEST(ProductDescription, TextsMayHoldEveryByte) {
    const ProductDescription d =
        Load("[product]\nname = \"a\\u0000b\\u0001\\u007F\\u0081\\u20AC\\u00FF\\t\\r\\n\"\n");
    EXPECT_EQ(Stored(d.script.productName), std::string("a\0b\x01\x7F\x81\x80\xFF\t\r\n", 11));
    EXPECT_EQ(d.script.productName.View(), "a") << "users see the text up to its NUL";

    // 255 bytes fit, whatever the UTF-8 length: U+00E9 is two bytes in UTF-8 but one here.
    std::string longest;
    for (int i = 0; i < 255; ++i) {
        longest += "\xC3\xA9";
    }
    EXPECT_EQ(Load("[product]\nname = \"" + longest + "\"\n").script.productName.Stored().size(),
              255u);
}

TEST(ProductDescription, NonAsciiTextsInEveryKindOfString) {
    // Basic strings reach the TOML parser with their non-ASCII characters escaped; literal
    // strings and comments pass as they are. The texts come out the same either way.
    const ProductDescription ok =
        Load("\xEF\xBB\xBF# caf\xC3\xA9 comment\n"
             "[welcome]\n"
             "title = 'caf\xC3\xA9 \\ literal'\n"
             "text = \"\"\"\nBonjour \\\n   \xC3\xA9t\xC3\xA9 \\\\\xC3\xA9\"\"\"\n"
             "[destination]\n"
             "title = '''\n\xC3\xBC'''\n"
             "text = \"\\\"\xE2\x82\xAC\\\"\"\n");
    EXPECT_EQ(Stored(ok.script.welcomeTitle), "caf\xE9 \\ literal");
    EXPECT_EQ(Stored(ok.script.welcomeText), "Bonjour \xE9t\xE9 \\\xE9");
    EXPECT_EQ(Stored(ok.script.destinationTitle), "\xFC");
    EXPECT_EQ(Stored(ok.script.destinationText), "\"\x80\"");

    const Result<ProductDescription> outside =
        ParseProductDescription("[product]\nname = \"a\"\n\xC3\xA9 = 1\n", "p.toml", "/");
    ASSERT_FALSE(outside);
    EXPECT_EQ(outside.Error().line, 3u);
    EXPECT_NE(outside.Error().problem.find("ASCII"), std::string::npos);
    const Result<ProductDescription> key =
        ParseProductDescription("[product]\n\"n\xC3\xA4me\" = 1\n", "p.toml", "/");
    ASSERT_FALSE(key);
    EXPECT_EQ(key.Error().Message().rfind("p.toml:2: product.n\xC3\xA4me: unknown key", 0), 0u)
        << key.Error().Message();
    const ProductDescription literal = Load("[welcome]\n"
                                            "title = '''\na\"\"\"b\\c\xC3\xA9''''\n"
                                            "text = 'x\"y'\n");
    EXPECT_EQ(Stored(literal.script.welcomeTitle), "a\"\"\"b\\c\xE9'")
        << "quotes and backslashes are ordinary characters of a literal string";
    EXPECT_EQ(Stored(literal.script.welcomeText), "x\"y");
    // A quote inside a bare value does not start a string.
    const Result<ProductDescription> bare =
        ParseProductDescription("[product]\nname = 6'x\xC6\xBF'\n", "p.toml", "/");
    ASSERT_FALSE(bare);
    EXPECT_EQ(bare.Error().line, 2u);
    const Result<ProductDescription> escape =
        ParseProductDescription("[product]\nname = \"\"\"\\\xC3\xA9\"\"\"\n", "p.toml", "/");
    ASSERT_FALSE(escape);
    EXPECT_EQ(escape.Error().line, 2u);
}

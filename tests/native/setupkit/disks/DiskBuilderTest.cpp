#include "disks/DiskBuilder.h"
#include "ToolError.h"
#include "ToolFiles.h"
#include "disks/UninstallerItems.h"
#include "engine/ItemPaths.h"
#include "engine/PathRules.h"
#include "lz/SzddExpander.h"
#include "script/ScriptLoader.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::size_t size, unsigned seed) {
    static const char* const kWords[] = {"setup ", "disk ", "the ", "file ", "\r\n", "of "};
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        const std::string word = kWords[random() % 6];
        bytes.insert(bytes.end(), word.begin(), word.end());
    }
    bytes.resize(size);
    return bytes;
}

Bytes Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// A product with every kind of file: a read-me and two pictures on disk 1, compressed and
// plain items, one that does not shrink, one in a sub-directory large enough to be split
// over three disks, a billboard picture, and items that read no file.
constexpr const char* kProduct = R"(
[product]
name = "Disk Test"
[readme]
file = "README.TXT"
source = "src/readme.txt"
[background]
style = "gradient"
file = "BACK.BMP"
source = "src/back.bmp"
[side_bitmap]
file = "SIDE.BMP"
source = "src/side.bmp"
[disks]
label_pattern = "Test Disk %d"
[[directory]]
path = "?F\\Disk Test"
[[install]]
name = "README.TXT"
source = "src/readme.txt"
[[install]]
name = "PROGRAM.EXE"
source = "src/program.exe"
compressed = true
[[install]]
name = "NOISE.BIN"
source = "src/noise.bin"
compressed = true
[[install]]
name = "BILLBOARD.BMP"
source = "src/billboard.bmp"
action = "show-bitmap"
compressed = true
[[install]]
name = "DATA"
source = "src/data"
compressed = true
source_subdir = "SUB"
[[install]]
name = "?D\\OLD.TXT"
action = "delete"
[[install]]
name = "HELP.HTML"
source = "src/help.html"
compressed = true
source_subdir = "SUB"
[[install]]
name = "NOTEPAD.EXE ?D\\README.TXT"
action = "run-normal"
)";

class DiskBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        sources_["src/readme.txt"] = Text(700, 1);
        sources_["src/back.bmp"] = Text(5000, 2);
        sources_["src/side.bmp"] = Text(3000, 3);
        sources_["src/program.exe"] = Text(9000, 4);
        sources_["src/noise.bin"] = Noise(2000, 5);
        sources_["src/billboard.bmp"] = Text(4000, 6);
        sources_["src/data"] = Noise(40000, 7); // stored as it is, over three 20000-byte disks
        sources_["src/help.html"] = Text(3000, 8);
        for (const auto& [name, bytes] : sources_) {
            scratch_.Write(name, bytes);
        }
        scratch_.Write("SETUP.EXE", Noise(6000, 9));
    }

    ProductDescription Load(const std::string& text = kProduct) {
        Result<ProductDescription> result =
            ParseProductDescription(text, "product.toml", scratch_.Path());
        if (!result) {
            ADD_FAILURE() << result.Error().Message();
            return {};
        }
        return std::move(result.Value());
    }

    BuildOptions Options(const std::string& output, std::uint64_t capacity) const {
        BuildOptions options;
        options.outputDirectory = scratch_.Path() / output;
        options.capacity = std::optional<std::uint64_t>(capacity);
        options.setupExe = scratch_.Path() / "SETUP.EXE";
        return options;
    }

    std::string Disk(const std::string& output, std::uint32_t disk) const {
        return (scratch_.Path() / output / ("disk" + std::to_string(disk))).string();
    }

    static Bytes Read(const fs::path& path) { return ReadBinaryFile(path); }

    static fs::path OnDisk(const fs::path& disk, const std::string& relative) {
        std::string path = relative;
        for (char& c : path) {
            c = c == '\\' ? '/' : c;
        }
        return disk / path;
    }

    // What SETUP.EXE installs for a Copy or ShowBitmap item: the first piece from the item's
    // disk, further pieces from the disks after it, joined, then expanded if compressed.
    Bytes InstalledBytes(const std::string& output, const InstallItem& item) const {
        const std::string first = ItemSourcePath(item, "", PathAsWritten);
        Bytes joined = Read(OnDisk(Disk(output, item.diskNumber), first));
        const std::string pieceName = FileNamePart(first, PathAsWritten);
        for (unsigned k = 2; k <= item.partCount; ++k) {
            const Bytes piece =
                Read(OnDisk(Disk(output, item.diskNumber + k - 1),
                            SplitPiecePath(item.sourceSubdir.View(), pieceName, k, PathAsWritten)));
            joined.insert(joined.end(), piece.begin(), piece.end());
        }
        if (!HasSzddMagic(joined)) {
            return joined; // the LZ library copies such a file unchanged
        }
        const SzddExpandResult expanded = ExpandSzdd(joined);
        EXPECT_EQ(expanded.status, SzddStatus::Ok) << item.name.Str();
        return expanded.data;
    }

    static std::map<std::string, Bytes> Tree(const fs::path& root) {
        std::map<std::string, Bytes> tree;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            tree[fs::relative(entry.path(), root).string()] =
                entry.is_regular_file() ? Read(entry.path()) : Bytes{};
        }
        return tree;
    }

    ScratchFolder scratch_;
    std::map<std::string, Bytes> sources_;
};

TEST_F(DiskBuilderTest, DisksGiveBackEveryFileAsSetupReadsThem) {
    const BuildReport report = BuildDisks(Load(), Options("out", 20000), nullptr);
    const auto disks = static_cast<std::uint32_t>(report.disks.size());
    ASSERT_GE(disks, 3u);
    for (std::uint32_t disk = 1; disk <= disks; ++disk) {
        EXPECT_TRUE(fs::is_directory(Disk("out", disk)));
        EXPECT_LE(report.disks[disk - 1].used, 20000u);
    }
    EXPECT_FALSE(fs::exists(Disk("out", disks + 1)));
    EXPECT_EQ(report.compressed, 3u);  // PROGRAM.EXE, BILLBOARD.BMP, HELP.HTML
    EXPECT_EQ(report.storedPlain, 2u); // NOISE.BIN and DATA do not shrink
    EXPECT_EQ(report.split, 1u);       // DATA

    const Bytes image = Read(Disk("out", 1) + "/SETUP.INF");
    const SetupScript script = ParseSetupScript(image);
    ASSERT_EQ(script.installItems.size(), 8u);
    ASSERT_EQ(script.diskLabels.size(), disks);
    EXPECT_EQ(TextOf(script.diskLabels[disks - 1]), "Test Disk " + std::to_string(disks));
    EXPECT_EQ(Read(Disk("out", 1) + "/SETUP.EXE"), Read(scratch_.Path() / "SETUP.EXE"));

    // Disk 1: the read-me as it is, the pictures under their compressed names.
    EXPECT_EQ(Read(Disk("out", 1) + "/README.TXT"), sources_["src/readme.txt"]);
    const SzddExpandResult back = ExpandSzdd(Read(Disk("out", 1) + "/BACK.BM_"));
    EXPECT_EQ(back.data, sources_["src/back.bmp"]);
    EXPECT_EQ(ExpandSzdd(Read(Disk("out", 1) + "/SIDE.BM_")).data, sources_["src/side.bmp"]);

    const char* const sources[] = {
        "src/readme.txt", "src/program.exe", "src/noise.bin", "src/billboard.bmp",
        "src/data",       nullptr,           "src/help.html", nullptr};
    std::uint32_t inDrive = 1;
    for (std::size_t i = 0; i < script.installItems.size(); ++i) {
        const InstallItem& item = script.installItems[i];
        SCOPED_TRACE(item.name.Str());
        // Disks are asked for in order; items that read no file stay on the disk in the drive.
        EXPECT_GE(item.diskNumber, inDrive);
        if (sources[i] == nullptr) {
            EXPECT_EQ(item.diskNumber, inDrive);
            continue;
        }
        EXPECT_EQ(InstalledBytes("out", item), sources_[sources[i]]);
        EXPECT_EQ(item.size, sources_[sources[i]].size());
        inDrive = item.diskNumber + std::max<std::uint32_t>(item.partCount, 1) - 1;
    }
    const InstallItem& data = script.installItems[4];
    EXPECT_EQ(data.partCount, 3u);
    EXPECT_TRUE(fs::exists(Disk("out", data.diskNumber + 1) + "/SUB/DATA.~01"));
    EXPECT_TRUE(fs::exists(Disk("out", data.diskNumber + 2) + "/SUB/DATA.~02"));
    EXPECT_EQ(script.installItems[1].partCount, 0u);
    // A file that does not shrink is stored as it is, under its compressed name.
    EXPECT_EQ(Read(OnDisk(Disk("out", script.installItems[2].diskNumber), "NOISE.BI_")),
              sources_["src/noise.bin"]);
    // Every disk but the last is full up to the piece that ends it.
    EXPECT_EQ(report.disks[data.diskNumber].used, 20000u);
}

TEST_F(DiskBuilderTest, SameInputsGiveTheSameDisks) {
    (void)BuildDisks(Load(), Options("one", 20000), nullptr);
    (void)BuildDisks(Load(), Options("two", 20000), nullptr);
    const auto one = Tree(scratch_.Path() / "one");
    EXPECT_GE(one.size(), 12u);
    EXPECT_EQ(one, Tree(scratch_.Path() / "two"));
}

TEST_F(DiskBuilderTest, UnlimitedCapacityPutsEverythingOnOneDisk) {
    BuildOptions options = Options("cd", 0);
    options.capacity = std::optional<std::uint64_t>();
    const BuildReport report = BuildDisks(Load(), options, nullptr);
    ASSERT_EQ(report.disks.size(), 1u);
    const SetupScript script = ParseSetupScript(Read(Disk("cd", 1) + "/SETUP.INF"));
    for (const InstallItem& item : script.installItems) {
        EXPECT_EQ(item.diskNumber, 1u);
        EXPECT_EQ(item.partCount, 0u);
    }
    EXPECT_EQ(InstalledBytes("cd", script.installItems[4]), sources_["src/data"]);
}

TEST_F(DiskBuilderTest, BadInputLeavesNoOutput) {
    std::string text = kProduct;
    text.replace(text.find("source_subdir = \"SUB\""), 21, "source_subdir = \"S|UB\"");
    try {
        (void)BuildDisks(Load(text), Options("bad", 20000), nullptr);
        ADD_FAILURE() << "built with a folder that disks refuse";
    } catch (const ToolError& error) {
        // Named by the description's file and the line of the item, like the loader's errors.
        EXPECT_EQ(std::string(error.what()).rfind("product.toml:34: install item 4", 0), 0u)
            << error.what();
        EXPECT_NE(std::string(error.what()).find("S|UB"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(fs::exists(scratch_.Path() / "bad"));

    // A disk too small for a picture that cannot be split: found while planning.
    EXPECT_THROW((void)BuildDisks(Load(), Options("small", 4000), nullptr), ToolError);
    EXPECT_FALSE(fs::exists(scratch_.Path() / "small"));
    for (const auto& entry : fs::directory_iterator(scratch_.Path())) {
        EXPECT_EQ(entry.path().filename().string().find(".setupkit-"), std::string::npos)
            << entry.path();
    }
}

TEST_F(DiskBuilderTest, ReplacesAnEarlierBuildButNothingElse) {
    (void)BuildDisks(Load(), Options("out", 20000), nullptr);
    scratch_.Write("out/disk9/STALE.TXT", {'x'});
    (void)BuildDisks(Load(), Options("out", 1000000), nullptr);
    EXPECT_TRUE(fs::exists(Disk("out", 1)));
    EXPECT_FALSE(fs::exists(Disk("out", 2)));
    EXPECT_FALSE(fs::exists(Disk("out", 9)));

    scratch_.Write("out/notes.txt", {'x'});
    EXPECT_THROW((void)BuildDisks(Load(), Options("out", 20000), nullptr), ToolError);
    EXPECT_TRUE(fs::exists(scratch_.Path() / "out" / "notes.txt"));
    EXPECT_FALSE(fs::exists(Disk("out", 2)));
}

TEST_F(DiskBuilderTest, GivenSizesAndLabelsAreKept) {
    std::string text = kProduct;
    text.replace(text.find("[disks]"), 7, "[disks]\nlabels = [\"First\"]");
    text.replace(text.find("source = \"src/program.exe\""), 26,
                 "source = \"src/program.exe\"\nsize = 123456");
    (void)BuildDisks(Load(text), Options("out", 20000), nullptr);
    const SetupScript script = ParseSetupScript(Read(Disk("out", 1) + "/SETUP.INF"));
    EXPECT_EQ(script.installItems[1].size, 123456u);
    ASSERT_GE(script.diskLabels.size(), 3u);
    EXPECT_EQ(TextOf(script.diskLabels[0]), "First");
    EXPECT_EQ(TextOf(script.diskLabels[1]), "Test Disk 2");
}

// With an uninstall entry the script copy and the uninstaller come first in the install list,
// from disk 1, and the components' item numbers move up with the items; the script copy
// installs the very bytes of SETUP.INF. An uninstaller split over the next disk leaves the
// script copy before it (SETUP.INF is on disk 1 only). `uninstaller = false` (as dump writes
// it) adds nothing.
TEST_F(DiskBuilderTest, UninstallerAndScriptCopyComeFirstFromDiskOne) {
    std::string text = std::string(kProduct) +
                       "[[component]]\nname = \"Help\"\nfiles = [\"HELP.HTML\"]\n"
                       "[uninstall]\nname = \"Disk Test\"\n";
    scratch_.Write("KXUN32.EXE", Text(8000, 10));
    ProductDescription description = Load(text);
    ASSERT_TRUE(description.addUninstaller);
    AddUninstallerItems(description, scratch_.Path() / "KXUN32.EXE");
    (void)BuildDisks(description, Options("out", 20000), nullptr);

    const Bytes scriptBytes = Read(Disk("out", 1) + "/SETUP.INF");
    const SetupScript script = ParseSetupScript(scriptBytes);
    const InstallItem& uninstaller = script.installItems[1];
    EXPECT_EQ(uninstaller.name.Str(), "KXUN32.EXE");
    EXPECT_EQ(uninstaller.diskNumber, 1);
    EXPECT_EQ(uninstaller.shared, 1);
    EXPECT_EQ(uninstaller.overwriteMode, static_cast<std::uint8_t>(OverwriteMode::IfOlder));
    EXPECT_EQ(script.directories.at(uninstaller.dirIndex - 1u).templatePath.Str(), "?W");
    EXPECT_EQ(InstalledBytes("out", uninstaller), Read(scratch_.Path() / "KXUN32.EXE"));
    const InstallItem& copy = script.installItems[0];
    EXPECT_EQ(copy.name.Str(), "SETUP.INF");
    EXPECT_EQ(copy.dirIndex, 1);
    EXPECT_EQ(copy.size, scriptBytes.size());
    EXPECT_EQ(InstalledBytes("out", copy), scriptBytes);
    EXPECT_EQ(script.components.at(0).files, std::vector<std::uint32_t>{8});

    scratch_.Write("KXUN32.EXE", Noise(30000, 3));
    ProductDescription split = Load(text);
    AddUninstallerItems(split, scratch_.Path() / "KXUN32.EXE");
    (void)BuildDisks(split, Options("split", 20000), nullptr);
    const SetupScript splitScript = ParseSetupScript(Read(Disk("split", 1) + "/SETUP.INF"));
    ASSERT_GT(splitScript.installItems[1].partCount, 1);
    EXPECT_EQ(splitScript.installItems[0].name.Str(), "SETUP.INF");

    EXPECT_FALSE(Load(text + "uninstaller = false\n").addUninstaller);
}

TEST_F(DiskBuilderTest, RefusesAnItemInADirectoryThatDoesNotExist) {
    // compile takes it, as a loadable script may hold it; SETUP.EXE could not install it.
    std::string text = kProduct;
    text.replace(text.find("name = \"HELP.HTML\""), 18, "name = \"HELP.HTML\"\ndirectory = 2");
    const ProductDescription description = Load(text);
    ASSERT_EQ(description.unusable.size(), 1u);
    try {
        (void)BuildDisks(description, Options("out", 20000), nullptr);
        ADD_FAILURE() << "built an item for directory 2 of 1";
    } catch (const ToolError& error) {
        EXPECT_EQ(std::string(error.what())
                      .rfind("product.toml:44: install.directory: there is "
                             "no directory 2 (of 1)",
                             0),
                  0u)
            << error.what();
    }
    EXPECT_FALSE(fs::exists(scratch_.Path() / "out"));
}

TEST_F(DiskBuilderTest, SameNamesFromOtherFoldersMoveToSubFolders) {
    const Bytes other = Text(2500, 11);
    scratch_.Write("other help/help.html", other);
    scratch_.Write("more/help.html", Text(2600, 12));
    std::string text = kProduct;
    const std::string inSub = "compressed = true\nsource_subdir = \"SUB\"\n";
    text += "[[install]]\nname = \"HELP.HTML\"\nsource = \"other help/help.html\"\n" + inSub;
    // In a folder of its own: one folder cannot hold names equal but for case.
    text += "[[directory]]\npath = \"?D\\\\MORE\"\n";
    text +=
        "[[install]]\nname = \"help.html\"\nsource = \"more/help.html\"\ndirectory = 2\n" + inSub;
    text += "[[install]]\nname = \"HELP.HTML\"\nsource = \"src/help.html\"\n" + inSub;
    (void)BuildDisks(Load(text), Options("out", 1000000), nullptr);
    const SetupScript script = ParseSetupScript(Read(Disk("out", 1) + "/SETUP.INF"));
    ASSERT_EQ(script.installItems.size(), 11u);
    EXPECT_EQ(script.installItems[6].sourceSubdir.Str(), "SUB") << "the first keeps its place";
    EXPECT_EQ(script.installItems[8].sourceSubdir.Str(), "SUB\\OTHERHELP");
    EXPECT_EQ(script.installItems[9].sourceSubdir.Str(), "SUB\\MORE") << "FAT ignores case";
    EXPECT_EQ(script.installItems[10].sourceSubdir.Str(), "SUB") << "the same bytes are shared";
    EXPECT_EQ(InstalledBytes("out", script.installItems[6]), sources_["src/help.html"]);
    EXPECT_EQ(InstalledBytes("out", script.installItems[8]), other);
    EXPECT_EQ(InstalledBytes("out", script.installItems[9]), Text(2600, 12));
    EXPECT_EQ(InstalledBytes("out", script.installItems[10]), sources_["src/help.html"]);
}

TEST_F(DiskBuilderTest, ReadmeGetsCrLfLineEnds) {
    // An edit control breaks lines at CR LF only; the installed copy of the same file matches.
    const std::string lf = "one\ntwo\r\nthree\n\n";
    scratch_.Write("src/readme.txt", Bytes(lf.begin(), lf.end()));
    (void)BuildDisks(Load(), Options("out", 1000000), nullptr);
    const std::string crlf = "one\r\ntwo\r\nthree\r\n\r\n";
    EXPECT_EQ(Read(Disk("out", 1) + "/README.TXT"), Bytes(crlf.begin(), crlf.end()));
    const SetupScript script = ParseSetupScript(Read(Disk("out", 1) + "/SETUP.INF"));
    EXPECT_EQ(InstalledBytes("out", script.installItems[0]), Bytes(crlf.begin(), crlf.end()));
    EXPECT_EQ(script.installItems[0].size, crlf.size());
}

} // namespace

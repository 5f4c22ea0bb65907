#include "DescriptionWriter.h"
#include "FolderTree.h"
#include "ProductDescription.h"
#include "TreePattern.h"
#include "script/ScriptLoader.h"
#include "script/ScriptWriter.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

std::string_view Stored(const FixedText& text) {
    return text.Stored();
}

SourceError LoadError(const std::string& text, const fs::path& base) {
    const Result<ProductDescription> result = ParseProductDescription(text, "p.toml", base);
    EXPECT_FALSE(result) << "loaded:\n" << text;
    return result ? SourceError{} : result.Error();
}

// The product of the tests below: files in folders, a few of them excluded.
void WriteProductFiles(const ScratchFolder& folder) {
    folder.Write("app/b.txt", "bb");
    folder.Write("app/a/z.txt", "zzz");
    folder.Write("app/a-b/c.txt", "c");
    folder.Write("app/a/x/y.bak", "old");
    folder.Write("app/a/x/w.txt", "wwww");
    folder.Write("app/top.bak", "old");
    folder.Write("app/samples/s.txt", "s");
    folder.Write("extra/e.dll", "eeeee");
    folder.Write("odd/snow\u2603.txt");
}

constexpr const char* kProduct = R"(
[[directory]]
id = "app"
path = "?F\\App"
[[directory]]
id = "samples"
path = "?D\\SAMPLES"
[[install]]
name = "FIRST.EXE"
size = 1
[[tree]]
id = "main"
source = "app"
exclude = ["**/*.bak"]
overwrite = "always"
compressed = true
read_only = true
components = ["Program"]
[[install]]
name = "LAST.EXE"
size = 1
[[tree]]
source = "extra/"
directory = "samples"
shared = true
source_subdir = "SYS"
components = ["Program", "Extra"]
[[program_item]]
name = "Z"
command = "NOTEPAD.EXE ${main/a/z.txt}"
[[final_program]]
command = "${extra/E.DLL}"
[[component]]
name = "Program"
files = ["FIRST.EXE"]
[[component]]
name = "Extra"
files = ["main/b.txt"]
)";

} // namespace

TEST(TreePattern, StarsQuestionMarksAndFolders) {
    EXPECT_TRUE(MatchesTreePattern("*.txt", "a.txt"));
    EXPECT_FALSE(MatchesTreePattern("*.txt", "d/a.txt")) << "* stays within one name";
    EXPECT_TRUE(MatchesTreePattern("**/*.txt", "a.txt")) << "** may stand for no folder";
    EXPECT_TRUE(MatchesTreePattern("**/*.txt", "d/e/a.txt"));
    EXPECT_TRUE(MatchesTreePattern("docs/**", "docs/a"));
    EXPECT_TRUE(MatchesTreePattern("docs/**", "docs/x/y"));
    EXPECT_FALSE(MatchesTreePattern("docs/**", "docs")) << "below docs, not docs itself";
    EXPECT_TRUE(MatchesTreePattern("**", "a"));
    EXPECT_TRUE(MatchesTreePattern("a/**/b", "a/b"));
    EXPECT_TRUE(MatchesTreePattern("a/**/b", "a/x/y/b"));
    EXPECT_FALSE(MatchesTreePattern("a/**/b", "a/x/y/c"));
    EXPECT_TRUE(MatchesTreePattern("?.TXT", "a.txt")) << "letters match without regard to case";
    EXPECT_FALSE(MatchesTreePattern("?.txt", "ab.txt"));
    EXPECT_TRUE(MatchesTreePattern("a*b*c", "axxbyybc"));
    EXPECT_FALSE(MatchesTreePattern("a*b*c", "axxbyy"));
    EXPECT_TRUE(MatchesTreePattern("*", ".hidden"));

    EXPECT_FALSE(TreePatternProblem("**/*.txt"));
    for (const char* bad : {"", "/a", "a//b", "a/", "../x", "a/./b", "a\\b"}) {
        EXPECT_TRUE(TreePatternProblem(bad)) << bad;
    }
}

TEST(FolderTree, ListsFilesInByteOrderWithTheirFolders) {
    ScratchFolder folder;
    WriteProductFiles(folder);
    const TreeListing listing = ListFolderTree(folder.Path() / "app", {"**"}, {"**/*.bak"}, 99);
    ASSERT_TRUE(listing.problem.empty()) << listing.problem;
    // '-' sorts before '/', and a folder before its sub-folders.
    EXPECT_EQ(listing.files,
              (Strings{"a-b/c.txt", "a/x/w.txt", "a/z.txt", "b.txt", "samples/s.txt"}));
    EXPECT_EQ(listing.folders, (Strings{"a", "a-b", "a/x", "samples"}));

    const TreeListing some =
        ListFolderTree(folder.Path() / "app", {"*.txt", "a/**"}, {"a/x/**"}, 99);
    EXPECT_EQ(some.files, (Strings{"a/z.txt", "b.txt"}));
    EXPECT_EQ(some.folders, (Strings{"a"}));

    EXPECT_FALSE(ListFolderTree(folder.Path() / "none", {"**"}, {}, 99).problem.empty());
    EXPECT_TRUE(ListFolderTree(folder.Path() / "app", {"**"}, {}, 6).tooMany);
    EXPECT_FALSE(ListFolderTree(folder.Path() / "app", {"**"}, {}, 7).tooMany);
}

TEST(FolderTree, ExpandsIntoDirectoriesAndItemsInWrittenOrder) {
    ScratchFolder folder;
    WriteProductFiles(folder);
    const Result<ProductDescription> loaded =
        ParseProductDescription(kProduct, "product.toml", folder.Path());
    ASSERT_TRUE(loaded) << loaded.Error().Message();
    const ProductDescription& d = loaded.Value();
    const SetupScript& s = d.script;

    // The sub-folders below the destination (?D for the first directory); the tree's
    // "samples" folder is the directory that already has that path.
    Strings directories;
    for (const DirectoryEntry& entry : s.directories) {
        directories.emplace_back(Stored(entry.templatePath));
    }
    EXPECT_EQ(directories, (Strings{"?F\\App", "?D\\SAMPLES", "?D\\a", "?D\\a-b", "?D\\a\\x"}));

    struct Expected {
        const char* name;
        std::uint8_t directory;
        const char* subdir;
        std::uint32_t size;
        const char* id;
    };
    const Expected expected[] = {
        {"FIRST.EXE", 1, "", 1, "FIRST.EXE"},      {"c.txt", 4, "a-b", 1, "main/a-b/c.txt"},
        {"w.txt", 5, "a\\x", 4, "main/a/x/w.txt"}, {"z.txt", 3, "a", 3, "main/a/z.txt"},
        {"b.txt", 1, "", 2, "main/b.txt"},         {"s.txt", 2, "samples", 1, "main/samples/s.txt"},
        {"LAST.EXE", 1, "", 1, "LAST.EXE"},        {"e.dll", 2, "SYS", 5, "extra/e.dll"},
    };
    ASSERT_EQ(s.installItems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const InstallItem& item = s.installItems[i];
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(Stored(item.name), expected[i].name);
        EXPECT_EQ(item.dirIndex, expected[i].directory);
        EXPECT_EQ(Stored(item.sourceSubdir), expected[i].subdir);
        EXPECT_EQ(item.size, expected[i].size);
        EXPECT_EQ(d.itemIds[i], expected[i].id);
        EXPECT_EQ(item.action, static_cast<std::uint8_t>(ItemAction::Copy));
    }
    // Each tree's settings reach each of its files, and only those.
    EXPECT_EQ(s.installItems[1].overwriteMode, static_cast<std::uint8_t>(OverwriteMode::Always));
    EXPECT_EQ(s.installItems[1].compressed, 1);
    EXPECT_EQ(s.installItems[1].readOnly, 1);
    EXPECT_EQ(s.installItems[1].shared, 0);
    EXPECT_EQ(s.installItems[7].shared, 1);
    EXPECT_EQ(s.installItems[7].compressed, 0);
    EXPECT_EQ(s.installItems[6].compressed, 0);
    EXPECT_EQ(d.sources[3].file, folder.Path() / "app/a/z.txt");

    // Components hold their own files first, then the trees that name them.
    EXPECT_EQ(s.components[0].files, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 7}));
    EXPECT_EQ(s.components[1].files, (std::vector<std::uint32_t>{4, 7}));
    EXPECT_EQ(s.installItems[4].installCount, 2);
    EXPECT_EQ(s.installItems[6].installCount, kInstallAlways);
    // A tree's file in a text is where it is installed, the path matched as patterns match.
    EXPECT_EQ(Stored(s.programItems[0].commandLine), "NOTEPAD.EXE ?D\\a\\z.txt");
    EXPECT_EQ(Stored(s.finalPrograms[0].commandLine), "?D\\SAMPLES\\e.dll");
}

TEST(FolderTree, DumpOfAnExpandedTreeCompilesBack) {
    ScratchFolder folder;
    WriteProductFiles(folder);
    const Result<ProductDescription> loaded =
        ParseProductDescription(kProduct, "product.toml", folder.Path());
    ASSERT_TRUE(loaded) << loaded.Error().Message();
    const std::vector<std::uint8_t> image = WriteSetupScript(loaded.Value().script);
    const std::string dumped = WriteProductDescription(ParseSetupScript(image));
    EXPECT_EQ(dumped.find("[[tree]]"), std::string::npos) << "dump writes the expanded form";
    const Result<ProductDescription> back =
        ParseProductDescription(dumped, "dump.toml", "/nonexistent/setupkit-test");
    ASSERT_TRUE(back) << back.Error().Message() << "\n" << dumped;
    EXPECT_EQ(WriteSetupScript(back.Value().script), image);
}

TEST(FolderTree, TextsBeforeTheTreesNameTheirFiles) {
    ScratchFolder folder;
    WriteProductFiles(folder);
    const std::string text = "[welcome]\ntitle = \"W\"\ntext = \"Reads ${main/B.TXT}\"\n"
                             "[success]\ncaption = \"${main/a/z.txt}\"\ntext = \"S\"\n"
                             "[failure]\ncaption = \"F\"\ntext = \"${main/a-b/c.txt}\"\n"
                             "[program_groups]\nnames = [\"${extra/e.dll}\"]\n" +
                             std::string(kProduct);
    const Result<ProductDescription> loaded =
        ParseProductDescription(text, "p.toml", folder.Path());
    ASSERT_TRUE(loaded) << loaded.Error().Message();
    const SetupScript& script = loaded.Value().script;
    EXPECT_EQ(script.welcomeText.Str(), "Reads ?D\\b.txt");
    EXPECT_EQ(script.successCaption.Str(), "?D\\a\\z.txt");
    EXPECT_EQ(script.failureText.Str(), "?D\\a-b\\c.txt");
    ASSERT_EQ(script.programGroups.size(), 1u);
    EXPECT_EQ(TextOf(script.programGroups[0]), "?D\\SAMPLES\\e.dll");
}

TEST(FolderTree, FaultsNameTheLineAndField) {
    ScratchFolder folder;
    WriteProductFiles(folder);
    const std::string head = "[[directory]]\npath = \"C:\\\\A\"\n[[tree]]\n";
    const struct {
        std::string text;
        std::uint32_t line;
        const char* field;
        const char* problem;
    } cases[] = {
        {head + "id = \"t\"\n", 3, "tree.source", "missing"},
        {head + "source = \"none\"\n", 4, "tree.source", "no such folder"},
        {head + "source = \"app/b.txt\"\n", 4, "tree.source", "is a file, not a folder"},
        {head + "source = \"app\"\ninclude = [\"*.exe\"]\n", 4, "tree.source", "no file of"},
        {head + "source = \"app\"\nexclude = [\"a//b\"]\n", 5, "tree.exclude", "empty"},
        {head + "source = \"app\"\ncomponents = [\"Nope\"]\n", 5, "tree.components",
         "no component is named \"Nope\""},
        {head + "source = \"app\"\ndirectory = 2\n", 5, "tree.directory", "no directory 2"},
        {head + "source = \"app\"\n[[tree]]\nsource = \"extra/../app\"\n", 6, "tree.id",
         "already used"},
        {head + "source = \"app\"\nid = \"a/b\"\n", 5, "tree.id", "holds no /"},
        {head + "source = \"app\"\n[[component]]\nfiles = [\"app/none.txt\"]\n", 6,
         "component.files", "named \"app/none.txt\""},
        {head + "source = \"app\"\n[product]\nname = \"${app/none.txt}\"\n", 6, "product.name",
         "nothing is defined"},
        {head + "source = \"app\"\nexclude = [\"*.txt\", \"**/*.bak\"]\n[[final_program]]\n"
                "command = \"${app/A/X/Y.BAK}\"\n",
         7, "final_program.command",
         "\"app/A/X/Y.BAK\" is a file of the tree that its exclude pattern \"**/*.bak\" leaves "
         "out"},
        {head + "source = \"app\"\ninclude = [\"a/**\"]\n[[final_program]]\ncommand = "
                "\"${app/b.txt}\"\n",
         7, "final_program.command",
         "\"app/b.txt\" is a file of the tree that no include pattern takes"},
        {"[disks]\nlabels = [\"${app/b.txt}\"]\n" + head + "source = \"app\"\n", 2, "disks.labels",
         "a tree's file cannot be named here"},
        {head + "source = \"odd\"\n", 4, "tree.source", "snow\u2603.txt: character U+2603"},
        {head + "source = \"app\"\ndirectory = 2\n[[directory]]\npath = \"?F\\\\" +
             std::string(251, 'p') + "\"\n",
         4, "tree.source", "is 256 bytes long, at most 255 fit"},
    };
    for (const auto& c : cases) {
        const SourceError error = LoadError(c.text, folder.Path());
        EXPECT_EQ(error.line, c.line) << error.Message();
        EXPECT_EQ(error.field, c.field) << error.Message();
        EXPECT_NE(error.problem.find(c.problem), std::string::npos) << error.Message();
    }
}

TEST(FolderTree, LimitsOfTheFormatAreErrorsNotCuts) {
    ScratchFolder folder;
    // 256 folders: with the destination, one directory more than a script can number.
    for (int i = 0; i < 256; ++i) {
        folder.Write("many/d" + std::to_string(1000 + i) + "/f.txt");
    }
    const std::string head = "[[directory]]\npath = \"C:\\\\A\"\n";
    SourceError error = LoadError(head + "[[tree]]\nsource = \"many\"\n", folder.Path());
    EXPECT_EQ(error.line, 4u);
    EXPECT_NE(error.problem.find("directory 256"), std::string::npos) << error.Message();
    EXPECT_TRUE(ParseProductDescription(head + "[[tree]]\nsource = \"many\"\nexclude = "
                                               "[\"d1000/**\", \"d1001/**\"]\n",
                                        "p.toml", folder.Path()))
        << "255 directories fit";

    // 65,535 files and one install item more than the list can count; 65,536 files in one
    // tree.
    const fs::path files = folder.Path() / "files";
    fs::create_directories(files);
    for (int i = 0; i < 65535; ++i) {
        std::ofstream(files / std::to_string(100000 + i));
    }
    error = LoadError(head + "[[install]]\nname = \"A\"\n[[tree]]\nsource = \"files\"\n",
                      folder.Path());
    EXPECT_EQ(error.line, 6u);
    EXPECT_NE(error.problem.find("with 165534 the install list would hold more than 65535 items"),
              std::string::npos)
        << error.Message();
    std::ofstream(files / "200000");
    error = LoadError(head + "[[tree]]\nsource = \"files\"\n", folder.Path());
    EXPECT_EQ(error.line, 4u);
    EXPECT_NE(error.problem.find("more than 65535 files"), std::string::npos) << error.Message();
}

TEST(FolderTree, NamesWindowsCannotTakeAreListedInOneError) {
    ScratchFolder folder;
    folder.Write("names/docs/Readme.txt");
    folder.Write("names/docs/README.TXT");
    folder.Write("names/a\\b.txt");
    folder.Write("names/fine.txt");
    const std::string head =
        "[[directory]]\npath = \"?F\\\\App\"\n[[install]]\nname = \"con.txt\"\n";
    const SourceError error = LoadError(head + "[[tree]]\nsource = \"names\"\n", folder.Path());
    EXPECT_EQ(
        error.Message(),
        "p.toml:4: install.name: file names that Windows cannot take as they are: "
        "install item \"con.txt\" (line 4) names the device CON; "
        "tree file \"names/a\\b.txt\" (line 6) holds '\\'; "
        "tree file \"names/docs/README.TXT\" (line 6) and tree file \"names/docs/Readme.txt\" "
        "(line 6) land in one folder, ?D\\docs, under names equal but for case: one would "
        "replace the other");

    // Marked verbatim, as dump marks the names a script holds, an item loads for build to refuse.
    const Result<ProductDescription> kept =
        ParseProductDescription(head + "verbatim = true\n", "p.toml", folder.Path());
    ASSERT_TRUE(kept) << kept.Error().Message();
    ASSERT_EQ(kept.Value().unusable.size(), 1u);
    EXPECT_NE(kept.Value().unusable[0].problem.find("CON (marked verbatim)"), std::string::npos);
}

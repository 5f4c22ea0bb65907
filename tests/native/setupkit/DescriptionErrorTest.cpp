#include "ProductDescription.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ErrorCase {
    const char* what;
    std::string text;
    std::uint32_t line;
    const char* field;
    const char* problem; // a part of the problem's wording
};

// Every case is a small description with exactly one fault on a known line.
const ErrorCase kCases[] = {
    {"syntax", "[product]\nname = \"open\n", 2, "", ""},
    {"redefined key", "[product]\nname = \"a\"\nname = \"b\"\n", 3, "", "redefine"},
    {"unknown top-level key", "[product]\nname = \"a\"\n[welcom]\ntitle = \"x\"\n", 3, "welcom",
     "unknown key"},
    {"unknown key in a table", "[welcome]\ntitle = \"a\"\ntitel = \"b\"\n", 3, "welcome.titel",
     "unknown key"},
    {"unknown key in an entry", "[[install]]\nname = \"A\"\nsise = 4\n", 3, "install.sise",
     "unknown key"},
    {"unknown key in a registry value",
     "[[registry]]\nkey = \"[HKEY_USERS]\"\n[[registry.value]]\nnmae = \"x\"\ntext = \"y\"\n", 4,
     "registry.value.nmae", "unknown key"},
    {"unknown directory",
     "[[directory]]\nid = \"app\"\npath = \"C:\\\\A\"\n[[install]]\nname = "
     "\"A\"\ndirectory = \"ap\"\n",
     6, "install.directory", "no directory is named \"ap\""},
    {"unknown group", "[program_groups]\nnames = [\"Main\"]\n[[program_item]]\ngroup = \"Mian\"\n",
     4, "program_item.group", "named \"Mian\""},
    {"unknown disk",
     "[disks]\nlabels = [\"Disk 1\"]\n[[install]]\nname = \"A\"\ndisk = \"Disk 2\"\n", 5,
     "install.disk", "named \"Disk 2\""},
    {"unknown item",
     "[[install]]\nname = \"A\"\n[[component]]\nname = \"C\"\nfiles = [\"A\", \"B\"]\n", 5,
     "component.files", "named \"B\""},
    {"ambiguous item",
     "[[install]]\nname = \"A\"\n[[install]]\nname = \"A\"\n[[component]]\nfiles = "
     "[\"A\"]\n",
     6, "component.files", "give them ids"},
    {"duplicate id",
     "[[install]]\nid = \"x\"\nname = \"A\"\n[[install]]\nid = \"x\"\nname = \"B\"\n", 5,
     "install.id", "already used on line 2"},
    {"empty id", "[[directory]]\nid = \"\"\npath = \"C:\"\n", 2, "directory.id", "empty"},
    {"text over 255 bytes", "[welcome]\ntitle = \"" + std::string(256, 'x') + "\"\n", 2,
     "welcome.title", "256 bytes long, at most 255"},
    {"character not in cp1252", "[product]\nname = \"Snow \u2603\"\n", 2, "product.name",
     "U+2603 has no Windows-1252 byte"},
    {"character not in cp1252 in a list", "[disks]\nlabels = [\"ok\",\n  \"\u0100\"]\n", 3,
     "disks.labels", "U+0100"},
    {"bad action", "[[install]]\nname = \"A\"\naction = \"move\"\n", 3, "install.action",
     "unknown value \"move\""},
    {"bad overwrite", "[[install]]\nname = \"A\"\noverwrite = \"newer\"\n", 3, "install.overwrite",
     "if-older"},
    {"bad show command", "[[final_program]]\nshow = \"SW_BIG\"\n", 2, "final_program.show",
     "SW_SHOWNORMAL"},
    {"bad background style", "[background]\nstyle = \"tile\"\n", 2, "background.style", "tiled"},
    {"byte out of range", "[[program_item]]\nicon_index = 256\n", 2, "program_item.icon_index",
     "256 is out of range (0 to 255)"},
    {"flag out of range", "[[install]]\nname = \"A\"\ncompressed = -1\n", 3, "install.compressed",
     "out of range"},
    {"size out of range", "[[install]]\nname = \"A\"\nsize = 4294967296\n", 3, "install.size",
     "out of range"},
    {"number out of range", "[[registry]]\nkey = \"[HKEY_USERS]\"\nvalue = [{ number = -1 }]\n", 3,
     "registry.value.number", "out of range"},
    {"show out of range", "[[final_program]]\nshow = 65536\n", 2, "final_program.show",
     "out of range"},
    {"component names equal but for case",
     "[[component]]\nname = \"Help\"\n[[component]]\nname = \"HELP\"\n", 4, "component.name",
     "two components are named \"HELP\" (names are compared without regard to case"},
    {"item number beyond the list", "[[install]]\nname = \"A\"\n[[component]]\nfiles = [1]\n", 4,
     "component.files", "no install item 1"},
    {"wrong type", "[product]\nname = 5\n", 2, "product.name", "expected a text"},
    {"table expected", "welcome = \"hi\"\n", 1, "welcome", "expected a table"},
    {"entries expected", "[install]\nname = \"A\"\n", 1, "install", "expected [[install]]"},
    {"required key missing", "[[directory]]\nid = \"app\"\n", 1, "directory.path", "missing"},
    {"install item without name or source", "[[install]]\nsize = 3\n", 1, "install.name",
     "give a name, a source or both"},
    {"flags and named completion bits", "[completion]\nreboot = true\nflags = 8\n", 3,
     "completion.flags", "not both"},
    {"registry value with text and number",
     "[[registry]]\nkey = \"[HKEY_USERS]\"\n[[registry.value]]\ntext = \"a\"\nnumber = 1\n", 5,
     "registry.value.text", "either text or number"},
    {"registry value without data",
     "[[registry]]\nkey = \"[HKEY_USERS]\"\n[[registry.value]]\nname = \"a\"\n", 3,
     "registry.value.text", "either text or number"},
    {"kind on a number",
     "[[registry]]\nkey = \"[HKEY_USERS]\"\nvalue = [{ number = 1, kind = 4 }]\n", 3,
     "registry.value.kind", "only for text values"},
    {"kind zero on a text",
     "[[registry]]\nkey = \"[HKEY_USERS]\"\nvalue = [{ text = \"a\", kind = 0 }]\n", 3,
     "registry.value.kind", "out of range (1 to 255)"},
    {"bad capacity", "[disks]\ncapacity = \"1.4M\"\n", 2, "disks.capacity", "1.44M"},
    {"bad label pattern", "[disks]\nlabel_pattern = \"Disk %s\"\n", 2, "disks.label_pattern", "%d"},
    {"missing source", "[readme]\nsource = \"README.TXT\"\n", 2, "readme.source", "no such file"},
    {"folder as a file's source", "[readme]\nsource = \"/\"\n", 2, "readme.source",
     "is a folder, not a file"},
    {"registry key without brackets", "[[registry]]\nkey = \"HKEY_USERS\\\\X\"\n", 2,
     "registry.key", "in brackets"},
    {"registry key with an abbreviated root", "[[registry]]\nkey = \"[HKLM\\\\SOFTWARE]\"\n", 2,
     "registry.key", "unknown root key \"HKLM\""},
    {"registry key cut short", "[[registry]]\nkey = \"[HKEY_USERS\\\\A]B]\"\n", 2, "registry.key",
     "cuts the key"},
    {"group name that would end its command", "[program_groups]\nnames = [\"Ok\",\n \"Games)\"]\n",
     3, "program_groups.names", "group \"Games)\" (line 3) holds ')'"},
    {"item name with a quote", "[[program_item]]\nname = 'Say \"hi\"'\n", 2, "program_item.name",
     "item \"Say \"hi\"\" (line 2) holds '\"'"},
    {"undefined reference", "[define]\nname = \"X\"\n[welcome]\ntitle = \"${nmae}\"\n", 4,
     "welcome.title", "nothing is defined as \"nmae\""},
    {"unclosed reference", "[product]\nname = \"${name\"\n", 2, "product.name", "closing }"},
    {"definition that is not a text", "[define]\nversion = 1\n", 2, "define.version",
     "expected a text"},
    {"system change without code", "[system_changes]\nfirst = [{ value = \"x\" }]\n", 2,
     "system_changes.first.code", "missing"},
    {"too many entries",
     "[disks]\nlabels = [" +
         [] {
             std::string labels;
             for (int i = 0; i < 256; ++i) {
                 labels += "\"d\",";
             }
             return labels;
         }() +
         "]\n",
     2, "disks.labels", "256 entries, at most 255 fit"},
};

} // namespace

TEST(ProductDescriptionErrors, EachFaultNamesFileLineAndField) {
    for (const ErrorCase& c : kCases) {
        const Result<ProductDescription> result =
            ParseProductDescription(c.text, "product.toml", "/nonexistent/setupkit-test");
        ASSERT_FALSE(result) << c.what;
        const SourceError& error = result.Error();
        EXPECT_EQ(error.file, "product.toml") << c.what;
        EXPECT_EQ(error.line, c.line) << c.what << ": " << error.Message();
        EXPECT_EQ(error.field, c.field) << c.what << ": " << error.Message();
        EXPECT_NE(error.problem.find(c.problem), std::string::npos)
            << c.what << ": " << error.Message();
    }
}

TEST(ProductDescriptionErrors, MessageIsFileLineFieldProblem) {
    const Result<ProductDescription> result =
        ParseProductDescription("[[install]]\nname = \"A\"\naction = \"move\"\n", "p.toml", "/");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.Error().Message().rfind("p.toml:3: install.action: unknown value \"move\"", 0),
              0u)
        << result.Error().Message();
    EXPECT_EQ((SourceError{"p.toml", 0, "", "cannot open the file"}.Message()),
              "p.toml: cannot open the file");
}

TEST(ProductDescriptionErrors, MissingFileIsASourceError) {
    const Result<ProductDescription> result =
        LoadProductDescription("/nonexistent/setupkit-test/product.toml");
    ASSERT_FALSE(result);
    EXPECT_EQ(result.Error().file, "/nonexistent/setupkit-test/product.toml");
    EXPECT_EQ(result.Error().line, 0u);
}

TEST(ProductDescriptionErrors, ProgramNamesThatBreakCommandsAreListedInOneError) {
    const std::string text = "[program_groups]\nnames = [\"A,B\"]\n[[program_item]]\n"
                             "name = \"Tab\\there\"\n[[program_item]]\nname = \"Fine\"\n";
    const Result<ProductDescription> refused =
        ParseProductDescription(text, "p.toml", "/nonexistent/setupkit-test");
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().Message(),
              "p.toml:2: program_groups.names: program group and item names must not hold \" [ ] "
              "( ) , or a control character, which would end the program manager's command: "
              "group \"A,B\" (line 2) holds ','; item \"Tab?here\" (line 4) holds U+0009");

    // Marked verbatim, as dump marks the names a script holds, they load for build to refuse.
    std::string marked = text;
    marked.insert(marked.find("[[program_item]]"), "verbatim = true\n");
    marked.insert(marked.find("name = \"Tab"), "verbatim = true\n");
    const Result<ProductDescription> kept =
        ParseProductDescription(marked, "p.toml", "/nonexistent/setupkit-test");
    ASSERT_TRUE(kept) << kept.Error().Message();
    ASSERT_EQ(kept.Value().unusable.size(), 2u) << "no directory, and the names";
    EXPECT_NE(kept.Value().unusable[0].problem.find("\"A,B\" (line 2) holds ','; item"),
              std::string::npos)
        << kept.Value().unusable[0].Message();
}

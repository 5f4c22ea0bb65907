#include "ToolError.h"
#include "ToolFiles.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

TEST(ToolFiles, ReadingNamesWhyAFileCannotBeRead) {
    ScratchFolder folder;
    EXPECT_EQ(TryReadFile(folder.Path() / "none").problem.rfind("cannot open: ", 0), 0u);
    EXPECT_EQ(TryReadFile(folder.Path()).problem, "is a directory, not a file");
    try {
        (void)ReadBinaryFile(folder.Path() / "none");
        FAIL() << "read a missing file";
    } catch (const ToolError& error) {
        EXPECT_EQ(std::string(error.what()).rfind((folder.Path() / "none").string() + ": ", 0), 0u);
    }
    EXPECT_EQ(ReadTextIfPresent(folder.Path() / "none"), "");
}

TEST(ToolFiles, ReplaceLeavesNoPartialFileAndRefuseKeepsTheOldOne) {
    ScratchFolder folder;
    const fs::path file = folder.Path() / "out.txt";
    WriteTextFile(file, "one", ExistingFile::Replace);
    WriteTextFile(file, "two", ExistingFile::Replace);
    EXPECT_EQ(ReadTextIfPresent(file), "two");
    EXPECT_THROW(WriteTextFile(file, "three", ExistingFile::Refuse), ToolError);
    EXPECT_EQ(ReadTextIfPresent(file), "two");
    EXPECT_THROW(WriteTextFile(folder.Path() / "no" / "x", "x", ExistingFile::Replace), ToolError);
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(ToolError, AFaultInTheDescriptionKeepsItsPlace) {
    const ToolError error(SourceError{"p.toml", 3, "install.name", "missing"});
    ASSERT_TRUE(error.Source());
    EXPECT_EQ(error.Source()->line, 3u);
    EXPECT_STREQ(error.what(), "p.toml:3: install.name: missing");
    EXPECT_FALSE(ToolError("plain").Source());
}

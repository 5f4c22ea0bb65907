#include "engine/StandardDirectories.h"

#include "EngineTestFiles.h"
#include "engine/FileOperations.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(ComputeStandardDirectories, ValuesInTheWinePrefix) {
    StandardDirectories directories;
    ASSERT_FALSE(ComputeStandardDirectories(directories));
    EXPECT_TRUE(SamePath(directories.windows, "C:\\windows")) << directories.windows;
    // C: is a local drive, so ?Y is the system directory itself.
    EXPECT_TRUE(SamePath(directories.system, "C:\\windows\\system32")) << directories.system;
    const std::string& temporary = directories.temporary;
    ASSERT_FALSE(temporary.empty());
    EXPECT_EQ(temporary.back(), '\\');
    EXPECT_TRUE(IsDirectory(temporary)) << temporary;
    EXPECT_EQ(directories.programFiles, "C:\\Program Files");
    EXPECT_TRUE(IsDirectory(directories.programFiles));
}

TEST(ComputeSourceAndScriptPath, OwnDirectoryAndInfBesideTheProgram) {
    const SourceAndScriptPath paths = ComputeSourceAndScriptPath(GetModuleHandleA(nullptr));
    const std::string& source = paths.sourceDirectory;
    ASSERT_FALSE(source.empty());
    EXPECT_EQ(source.back(), '\\');
    EXPECT_TRUE(FileExists(source + "win32_engine_tests.exe")) << source;
    EXPECT_TRUE(SamePath(paths.scriptPath, source + "win32_engine_tests.INF")) << paths.scriptPath;
    EXPECT_EQ(paths.scriptPath.substr(paths.scriptPath.size() - 4), ".INF");
}

#include "engine/StandardDirectories.h"

#include "EngineTestFiles.h"
#include "engine/FileOperations.h"
#include "shell/SetupState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(ComputeStandardDirectories, ValuesInTheWinePrefix) {
    ComputeStandardDirectories();
    EXPECT_TRUE(SamePath(g_setup.windowsDirectory.View(), "C:\\windows"))
        << g_setup.windowsDirectory.CStr();
    // C: is a local drive, so ?Y is the system directory itself.
    EXPECT_TRUE(SamePath(g_setup.systemDirectory.View(), "C:\\windows\\system32"))
        << g_setup.systemDirectory.CStr();
    const std::string temporary = g_setup.temporaryDirectory.Str();
    ASSERT_FALSE(temporary.empty());
    EXPECT_EQ(temporary.back(), '\\');
    EXPECT_TRUE(IsDirectory(temporary)) << temporary;
    EXPECT_EQ(g_setup.programFilesDirectory.View(), "C:\\Program Files");
    EXPECT_TRUE(IsDirectory(g_setup.programFilesDirectory.Str()));
}

TEST(ComputeSourceAndScriptPath, OwnDirectoryAndInfBesideTheProgram) {
    ComputeSourceAndScriptPath();
    const std::string source = g_setup.sourceDirectory.Str();
    ASSERT_FALSE(source.empty());
    EXPECT_EQ(source.back(), '\\');
    EXPECT_TRUE(FileExists(source + "win32_engine_tests.exe")) << source;
    EXPECT_TRUE(SamePath(g_setup.scriptPath.View(), source + "win32_engine_tests.INF"))
        << g_setup.scriptPath.CStr();
    EXPECT_EQ(g_setup.scriptPath.View().substr(g_setup.scriptPath.View().size() - 4), ".INF");
}

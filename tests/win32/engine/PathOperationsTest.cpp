#include "engine/PathOperations.h"

#include "FailureCode.h"
#include "EngineTestFiles.h"
#include "script/SetupError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A drive letter that has no volume in the prefix.
constexpr const char* kNoVolumeDrive = "Q:";

bool DriveHasVolume(char letter) {
    return (GetLogicalDrives() >> (letter - 'A')) & 1;
}

std::uint32_t VolumeRootError(std::string_view path) {
    std::string root;
    return FailureCode(VolumeRoot(path, root));
}

// The volume root; empty (and the test failed) when it cannot be found.
std::string RootOf(std::string_view path) {
    std::string root;
    EXPECT_FALSE(VolumeRoot(path, root));
    return root;
}

// Keeps the test's current directory across a test that moves it.
class CurrentDirectoryGuard {
public:
    CurrentDirectoryGuard() : saved_(CurrentDirectory()) {}
    ~CurrentDirectoryGuard() { SetCurrentDirectoryA(saved_.c_str()); }
    CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
    CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

private:
    std::string saved_;
};

} // namespace

TEST(VolumeRoot, DriveRootOfAbsoluteAndRelativePaths) {
    const CurrentDirectoryGuard guard;
    EXPECT_EQ(RootOf("C:\\windows\\system32"), "C:\\");
    EXPECT_EQ(RootOf("C:\\"), "C:\\");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    EXPECT_EQ(RootOf("system32"), "C:\\");
    EXPECT_EQ(RootOf("C:"), "C:\\");
}

TEST(VolumeRoot, DriveWithoutVolumeFailsWith5000) {
    ASSERT_FALSE(DriveHasVolume(kNoVolumeDrive[0])) << "the prefix maps " << kNoVolumeDrive;
    EXPECT_EQ(VolumeRootError(std::string(kNoVolumeDrive) + "\\APP"), kErrorNoFullPath);
}

TEST(VolumeRoot, UnreachableShareFailsWith5000) {
    EXPECT_EQ(VolumeRootError("\\\\NO-SUCH-SERVER\\SHARE\\DIR"), kErrorNoFullPath);
    EXPECT_EQ(VolumeRootError(""), kErrorNoFullPath);
}

TEST(ValidatePath, WildcardsAreRejectedBeforeAnyLookUp) {
    std::string out = "untouched";
    EXPECT_FALSE(ValidatePath(out, "C:\\*.TXT"));
    EXPECT_FALSE(ValidatePath(out, "C:\\A?B"));
    EXPECT_EQ(out, "untouched");
}

TEST(ValidatePath, RelativePathIsAcceptedAsItsFullPath) {
    const CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
    std::string out;
    EXPECT_TRUE(ValidatePath(out, "NEWAPP"));
    EXPECT_TRUE(SamePath(out, "C:\\windows\\NEWAPP")) << out;
    EXPECT_TRUE(ValidatePath(out, "C:\\Program Files\\App"));
    EXPECT_EQ(out, "C:\\Program Files\\App");
}

TEST(ValidatePath, DriveWithoutVolumeIsRejectedWithItsFullPath) {
    ASSERT_FALSE(DriveHasVolume(kNoVolumeDrive[0]));
    std::string out;
    EXPECT_FALSE(ValidatePath(out, "Q:\\APP\\..\\DIR"));
    EXPECT_EQ(out, "Q:\\DIR");
    EXPECT_FALSE(ValidatePath(out, "\\\\NO-SUCH-SERVER\\SHARE\\DIR"));
}

TEST(ValidatePath, PathWithoutAFittingFullPathIsRejectedAndKeptTo255) {
    const std::string tooLong = "C:\\" + std::string(300, 'x');
    std::string out;
    EXPECT_FALSE(ValidatePath(out, tooLong));
    EXPECT_EQ(out, tooLong.substr(0, 255));
    // 255 characters still fit the 256-character buffer.
    const std::string longest = "C:\\" + std::string(252, 'x');
    EXPECT_TRUE(ValidatePath(out, longest));
    EXPECT_EQ(out, longest);
}

TEST(PlatformPaths, NamePartsComeFromTheResolvedPath) {
    EXPECT_EQ(FileNamePart("C:\\windows\\..\\X.TXT"), "X.TXT");
    EXPECT_EQ(FileNamePart("C:\\windows\\"), "");
    EXPECT_EQ(FileExtension("C:\\DIR\\NAME.TXT\\.."), "");
    EXPECT_EQ(FileExtension("C:\\DIR\\NAME.TXT"), "TXT");
    EXPECT_EQ(CompressedName("SETUP.EXE"), "SETUP.EX_");
    EXPECT_EQ(CompressedName("A:\\DIR\\X.DLL"), "A:\\DIR\\X.DL_");
    EXPECT_EQ(ReplaceExtension("A:\\INSTALL.EXE", "INF"), "A:\\INSTALL.INF");
    EXPECT_EQ(ReplaceExtension("NAME.EX_", "~01"), "NAME.~01");
}

TEST(CreateDirectoryTree, CreatesEveryMissingLevel) {
    const CurrentDirectoryGuard guard;
    const std::string base = "C:\\engine-tree-" + std::to_string(GetCurrentProcessId());
    ASSERT_FALSE(IsDirectory(base));
    const std::string leaf = base + "\\B\\C";
    EXPECT_TRUE(CreateDirectoryTree(leaf));
    EXPECT_TRUE(IsDirectory(base));
    EXPECT_TRUE(IsDirectory(base + "\\B"));
    EXPECT_TRUE(IsDirectory(leaf));
    RemoveDirectoryA(leaf.c_str());
    RemoveDirectoryA((base + "\\B").c_str());
    RemoveDirectoryA(base.c_str());
}

TEST(CreateDirectoryTree, ExistingDirectoryBecomesTheCurrentOne) {
    const CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_TRUE(CreateDirectoryTree("C:\\windows\\system32"));
    EXPECT_TRUE(SamePath(CurrentDirectory(), "C:\\windows\\system32")) << CurrentDirectory();
}

TEST(CreateDirectoryTree, DriveWithoutVolumeFails) {
    const CurrentDirectoryGuard guard;
    ASSERT_FALSE(DriveHasVolume(kNoVolumeDrive[0]));
    EXPECT_FALSE(CreateDirectoryTree("Q:\\APP\\SUB"));
}

TEST(EnsureDirectory, RestoresTheCurrentDirectory) {
    const CurrentDirectoryGuard guard;
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
    EXPECT_TRUE(EnsureDirectory("C:\\windows\\system32"));
    EXPECT_EQ(CurrentDirectory(), "C:\\");

    const std::string scratch = ScratchDirectory("engine-ensure");
    const std::string leaf = scratch + "X\\Y";
    EXPECT_TRUE(EnsureDirectory(leaf));
    EXPECT_TRUE(IsDirectory(leaf));
    EXPECT_EQ(CurrentDirectory(), "C:\\");
    RemoveDirectoryA(leaf.c_str());
    RemoveDirectoryA((scratch + "X").c_str());

    EXPECT_FALSE(EnsureDirectory("Q:\\APP"));
    EXPECT_EQ(CurrentDirectory(), "C:\\");
}

TEST(FreeDiskSpaceK, DriveAndItsRootAskTheSameVolume) {
    // Other programs write to the same disk meanwhile, so the two readings may differ a bit.
    const std::uint64_t drive = FreeDiskSpaceK("C:");
    const std::uint64_t root = FreeDiskSpaceK("C:\\");
    EXPECT_GT(drive, 0u);
    EXPECT_LT(drive > root ? drive - root : root - drive, 100'000u);
    EXPECT_EQ(FreeDiskSpaceK("Q:"), 0u);
}

TEST(FreeDiskSpaceK, AgreesWithTheSixtyFourBitQueryBeyond4GB) {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &totalFree));
    const std::uint64_t expected = totalFree.QuadPart / 1000;
    const std::uint64_t measured = FreeDiskSpaceK("C:");
    std::printf("free on C: %llu K (extended query %llu K)\n",
                static_cast<unsigned long long>(measured),
                static_cast<unsigned long long>(expected));
    EXPECT_LT(measured > expected ? measured - expected : expected - measured, 100'000u);
    if (totalFree.QuadPart < (std::uint64_t{1} << 32)) {
        GTEST_SKIP() << "less than 4 GB free: the wide case cannot be shown here";
    }
    EXPECT_GT(measured, (std::uint64_t{1} << 32) / 1000);
}

#include "engine/PathRules.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// Resolves a relative path against C:\CWD as the platform would; the limits are those of
// PathAsWritten.
std::optional<std::string> InCurrentDirectory(std::string_view path, std::size_t capacity) {
    const bool relative = path.size() < 2 || path[1] != ':';
    return PathAsWritten(relative ? "C:\\CWD\\" + std::string(path) : std::string(path), capacity);
}

std::optional<std::string> NoFullPath(std::string_view, std::size_t) {
    return std::nullopt;
}

} // namespace

TEST(Paths, AppendKeepsOneBackslash) {
    std::string path = "C:\\D";
    AppendPathComponent(path, "X");
    EXPECT_EQ(path, "C:\\D\\X");
    path = "C:\\";
    AppendPathComponent(path, "X");
    EXPECT_EQ(path, "C:\\X");
    path.clear();
    AppendPathComponent(path, "X");
    EXPECT_EQ(path, "X");
    // Only the backslash counts as a separator here.
    path = "C:/D/";
    AppendPathComponent(path, "X");
    EXPECT_EQ(path, "C:/D/\\X");
}

TEST(Paths, JoinKeepsOneBackslash) {
    EXPECT_EQ(JoinPath("C:\\", "X"), "C:\\X");
    EXPECT_EQ(JoinPath("C:\\D", "X"), "C:\\D\\X");
    EXPECT_EQ(JoinPath("", "X"), "X");
    EXPECT_EQ(JoinPath("C:\\D", ""), "C:\\D\\");
    EXPECT_EQ(JoinPath("C:\\", "Program Files"), "C:\\Program Files");
    EXPECT_EQ(JoinPath("\\\\server\\share\\", "Program Files"), "\\\\server\\share\\Program Files");
}

TEST(Paths, Join3TestsBaseAndSubdirThemselves) {
    EXPECT_EQ(JoinPath3("A:\\", "", "F.EX_"), "A:\\F.EX_");
    EXPECT_EQ(JoinPath3("", "SUB", "F"), "SUB\\F");
    EXPECT_EQ(JoinPath3("", "", "F"), "F");
    EXPECT_EQ(JoinPath3("A:", "SUB", "F"), "A:\\SUB\\F");
    EXPECT_EQ(JoinPath3("A:\\D", "SUB\\", "F"), "A:\\D\\SUB\\F");
    EXPECT_EQ(JoinPath3("A:\\D", "", "F"), "A:\\D\\F");
}

TEST(Paths, DirectoryPartKeepsItsBackslash) {
    EXPECT_EQ(DirectoryPart("F.TXT"), "");
    EXPECT_EQ(DirectoryPart("C:\\F.TXT"), "C:\\");
    EXPECT_EQ(DirectoryPart("A:\\SUB\\F.EX_"), "A:\\SUB\\");
    EXPECT_EQ(DirectoryPart("C:\\DIR\\"), "C:\\DIR\\");
    EXPECT_EQ(DirectoryPart("A:/SUB/F"), "");
    EXPECT_EQ(DirectoryPart(""), "");
}

TEST(Paths, FileNamePartComesFromTheFullPath) {
    EXPECT_EQ(FileNamePart("F.TXT", InCurrentDirectory), "F.TXT");
    EXPECT_EQ(FileNamePart("A:\\SUB\\F.EX_", InCurrentDirectory), "F.EX_");
    EXPECT_EQ(FileNamePart("A:\\SUB\\", InCurrentDirectory), "");
    EXPECT_EQ(FileNamePart("A:\\SUB\\F.EX_", NoFullPath), "");
    EXPECT_EQ(FileNamePart("", PathAsWritten), "");
}

TEST(Paths, FullPathCapacityIs260ForNamesAnd256ForExtensions) {
    // 257 characters: fits the 260-character buffer of FileNamePart, not the 256 of
    // FileExtension; 260 characters fit neither.
    const std::string longPath = "C:\\" + std::string(248, 'D') + "\\N.EXT";
    ASSERT_EQ(longPath.size(), 257u);
    EXPECT_EQ(FileNamePart(longPath, PathAsWritten), "N.EXT");
    EXPECT_EQ(FileExtension(longPath, PathAsWritten), std::nullopt);
    const std::string tooLong = longPath + "XYZ";
    EXPECT_EQ(FileNamePart(tooLong, PathAsWritten), "");
    const std::string fits = "C:\\" + std::string(246, 'D') + "\\N.EXT";
    ASSERT_EQ(fits.size(), 255u);
    EXPECT_EQ(FileExtension(fits, PathAsWritten), "EXT");
}

TEST(Paths, ExtensionIsAfterTheLastDotOfTheName) {
    EXPECT_EQ(FileExtension("A.B.C", InCurrentDirectory), "C");
    EXPECT_EQ(FileExtension("FILE", InCurrentDirectory), "");
    EXPECT_EQ(FileExtension("C:\\DIR.X\\FILE", InCurrentDirectory), "");
    EXPECT_EQ(FileExtension("NAME.", InCurrentDirectory), "");
    EXPECT_EQ(FileExtension("C:\\DIR\\", InCurrentDirectory), "");
    EXPECT_EQ(FileExtension("FILE.TXT", NoFullPath), std::nullopt);
}

TEST(Paths, ReplaceExtensionCutsAtTheLastDot) {
    EXPECT_EQ(ReplaceExtension("NAME.EX_", "~01", InCurrentDirectory), "NAME.~01");
    EXPECT_EQ(ReplaceExtension("A.B.C", "X", InCurrentDirectory), "A.B.X");
    EXPECT_EQ(ReplaceExtension("FILE", "INF", InCurrentDirectory), "FILE.INF");
    EXPECT_EQ(ReplaceExtension("A:\\SETUP.EXE", "INF", InCurrentDirectory), "A:\\SETUP.INF");
    EXPECT_EQ(ReplaceExtension("A:\\INSTALL.EXE", "INF", InCurrentDirectory), "A:\\INSTALL.INF");
    EXPECT_EQ(ReplaceExtension("C:\\DIR.X\\FILE", "INF", InCurrentDirectory),
              "C:\\DIR.X\\FILE.INF");
    // The directory part is the path's own, not the full path's: a relative name stays relative.
    EXPECT_EQ(ReplaceExtension("SUB\\NAME.EXE", "INF", InCurrentDirectory), "SUB\\NAME.INF");
}

TEST(Paths, CompressedNameDependsOnTheExtensionLength) {
    EXPECT_EQ(CompressedName("SETUP.EXE", InCurrentDirectory), "SETUP.EX_");
    EXPECT_EQ(CompressedName("READ.ME", InCurrentDirectory), "READ.ME_");
    EXPECT_EQ(CompressedName("FILE", InCurrentDirectory), "FILE._");
    EXPECT_EQ(CompressedName("PAGE.HTML", InCurrentDirectory), "PAGE.HTM_");
    EXPECT_EQ(CompressedName("A:\\DIR\\X.DLL", InCurrentDirectory), "A:\\DIR\\X.DL_");
    EXPECT_EQ(CompressedName("X.C", InCurrentDirectory), "X.C_");
    EXPECT_EQ(CompressedName("X.AB", InCurrentDirectory), "X.AB_");
    EXPECT_EQ(CompressedName("X.ABC", InCurrentDirectory), "X.AB_");
    EXPECT_EQ(CompressedName("SUB\\X.DLL", PathAsWritten), "SUB\\X.DL_");
}

TEST(Paths, VolumeRootOfDrivesAndUncPaths) {
    EXPECT_EQ(VolumeRootOfFullPath("C:\\APPS\\X"), "C:\\");
    EXPECT_EQ(VolumeRootOfFullPath("C:\\"), "C:\\");
    EXPECT_EQ(VolumeRootOfFullPath("C:"), "C:");
    EXPECT_EQ(VolumeRootOfFullPath("C:/APPS"), "C:/");
    EXPECT_EQ(VolumeRootOfFullPath("\\\\SERVER\\SHARE\\DIR"), "\\\\SERVER\\SHARE\\");
    EXPECT_EQ(VolumeRootOfFullPath("\\\\SERVER\\SHARE\\"), "\\\\SERVER\\SHARE\\");
    EXPECT_EQ(VolumeRootOfFullPath("\\\\SERVER\\SHARE"), "\\\\SERVER\\SHARE");
    EXPECT_EQ(VolumeRootOfFullPath("\\\\SERVER"), "\\\\SERVER");
    EXPECT_EQ(VolumeRootOfFullPath("\\\\SERVER\\"), "\\\\SERVER\\");
}

TEST(Paths, VolumeRootTakesEitherSlashAndKeepsItAsWritten) {
    EXPECT_EQ(VolumeRootOfFullPath("//SERVER/SHARE/DIR"), "//SERVER/SHARE/");
    EXPECT_EQ(VolumeRootOfFullPath("\\/SERVER\\SHARE/DIR"), "\\/SERVER\\SHARE/");
    EXPECT_EQ(VolumeRootOfFullPath("/\\SERVER/SHARE\\DIR\\X"), "/\\SERVER/SHARE\\");
    // The first doubled separator anywhere starts the server name.
    EXPECT_EQ(VolumeRootOfFullPath("C:\\A\\\\B\\C\\D"), "C:\\A\\\\B\\C\\");
}

TEST(Paths, VolumeRootIsCutTo255Characters) {
    const std::string longUnc = "\\\\" + std::string(300, 'S');
    EXPECT_EQ(VolumeRootOfFullPath(longUnc), longUnc.substr(0, 255));
    EXPECT_EQ(BoundedCopy(std::string(300, 'x')).size(), 255u);
    EXPECT_EQ(BoundedCopy("short"), "short");
}

TEST(Paths, WildcardsAreQuestionMarkAndStar) {
    EXPECT_TRUE(HasWildcards("C:\\*.TXT"));
    EXPECT_TRUE(HasWildcards("C:\\A?B"));
    EXPECT_FALSE(HasWildcards("C:\\A\\B"));
    EXPECT_FALSE(HasWildcards(""));
}

TEST(Paths, FreeSpaceQueryAddsOneTrailingBackslash) {
    EXPECT_EQ(WithTrailingBackslash("C:"), "C:\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\"), "C:\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(FreeSpace, ProductIsSixtyFourBitsInUnitsOf1000) {
    // About 80 GB free: the 32-bit product would wrap to a few hundred MB.
    EXPECT_EQ(FreeSpaceK(20'000'000, 8, 512), 81'920'000u);
    EXPECT_EQ(FreeSpaceK(1, 2, 500), 1u);
    EXPECT_EQ(FreeSpaceK(1, 1, 999), 0u);
    EXPECT_EQ(FreeSpaceK(0, 0, 0), 0u);
    EXPECT_EQ(FreeSpaceK(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu), UINT64_MAX / 1000);
    EXPECT_EQ(FreeSpaceK(0xFFFFFFFFu, 128, 4096), 0xFFFFFFFFull * 128 * 4096 / 1000);
}

namespace {

// Directories as a volume holds them: creating one needs its parent; entering needs it to
// exist.
enum class Medium { Writable, ReadOnly };

struct FakeVolume {
    explicit FakeVolume(std::set<std::string> existingDirectories = {},
                        Medium kind = Medium::Writable)
        : existing(std::move(existingDirectories)), readOnly(kind == Medium::ReadOnly) {}

    std::set<std::string> existing;
    std::vector<std::string> created;
    std::string current;
    bool readOnly;

    static std::string Parent(const std::string& path) {
        const std::size_t backslash = path.rfind('\\');
        return backslash == std::string::npos ? std::string() : path.substr(0, backslash);
    }
    bool Create(const std::string& path) {
        if (readOnly || existing.count(path) || !existing.count(Parent(path))) {
            return false;
        }
        existing.insert(path);
        created.push_back(path);
        return true;
    }
    bool Enter(const std::string& path) {
        if (!existing.count(path)) {
            return false;
        }
        current = path;
        return true;
    }
    bool CreateTree(const std::string& path) {
        auto create = [this](const std::string& p) { return Create(p); };
        auto enter = [this](const std::string& p) { return Enter(p); };
        return CreateDirectoryTreeWith(path, create, enter);
    }
};

} // namespace

TEST(DirectoryTree, CreatesMissingParentsOutermostFirst) {
    FakeVolume volume({"C:"});
    EXPECT_TRUE(volume.CreateTree("C:\\A\\B\\C"));
    EXPECT_EQ(volume.created, (std::vector<std::string>{"C:\\A", "C:\\A\\B", "C:\\A\\B\\C"}));
    EXPECT_EQ(volume.current, "");
}

TEST(DirectoryTree, ExistingDirectoryIsEnteredNotCreated) {
    FakeVolume volume({"C:", "C:\\A"});
    EXPECT_TRUE(volume.CreateTree("C:\\A"));
    EXPECT_TRUE(volume.created.empty());
    EXPECT_EQ(volume.current, "C:\\A");
}

TEST(DirectoryTree, StopsAtTheLastExistingParent) {
    FakeVolume volume({"C:", "C:\\A"});
    EXPECT_TRUE(volume.CreateTree("C:\\A\\B\\C"));
    EXPECT_EQ(volume.created, (std::vector<std::string>{"C:\\A\\B", "C:\\A\\B\\C"}));
    // Only a directory that could not be created is entered: C:\A never was.
    EXPECT_EQ(volume.current, "");
}

TEST(DirectoryTree, FailsWithoutAnyVolume) {
    FakeVolume missingDrive;
    EXPECT_FALSE(missingDrive.CreateTree("Q:\\X\\Y"));
    EXPECT_TRUE(missingDrive.created.empty());
    FakeVolume noParent;
    EXPECT_FALSE(noParent.CreateTree("NAME"));
    FakeVolume readOnly({"C:"}, Medium::ReadOnly);
    EXPECT_FALSE(readOnly.CreateTree("C:\\A\\B"));
}

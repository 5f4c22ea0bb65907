#include "WindowsNames.h"
#include "disks/DiskFormat.h"
#include "disks/DiskNames.h"
#include "disks/DiskPlanner.h"
#include "ToolError.h"
#include "ToolFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

PlanFile File(std::string path, std::uint64_t size, std::uint64_t identity = 0,
              std::string pieceSubdir = {}) {
    PlanFile file;
    file.what = path;
    file.path = std::move(path);
    file.pieceSubdir = std::move(pieceSubdir);
    file.size = size;
    file.identity = identity == 0 ? size * 7919 + file.path.size() : identity;
    return file;
}

std::vector<std::pair<std::uint32_t, std::string>> Pieces(const PlannedFile& file) {
    std::vector<std::pair<std::uint32_t, std::string>> pieces;
    for (const PlannedPiece& piece : file.pieces) {
        pieces.emplace_back(piece.disk, piece.path);
    }
    return pieces;
}

const DiskFormat kThousandBytes = DiskFormatFor(1000);

TEST(DiskNames, StoredNameIsTheCompressedName) {
    EXPECT_EQ(StoredName("SETUP.EXE", true), "SETUP.EX_");
    EXPECT_EQ(StoredName("READ.ME", true), "READ.ME_");
    EXPECT_EQ(StoredName("FILE", true), "FILE._");
    EXPECT_EQ(StoredName("PAGE.HTML", true), "PAGE.HTM_");
    EXPECT_EQ(StoredName("X.C", true), "X.C_");
    EXPECT_EQ(StoredName("A.B.C", true), "A.B.C_");
    EXPECT_EQ(StoredName("SUB\\X.DLL", true), "SUB\\X.DL_");
    EXPECT_EQ(StoredName("PAGE.HTML", false), "PAGE.HTML");
}

TEST(DiskNames, FurtherPiecesTakeTheFirstPiecesFileNameWithTildeNumbers) {
    EXPECT_EQ(PiecePath("", "SETUP.EX_", 2), "SETUP.~01");
    EXPECT_EQ(PiecePath("", "SETUP.EX_", 3), "SETUP.~02");
    EXPECT_EQ(PiecePath("", "SETUP.EX_", 101), "SETUP.~100");
    EXPECT_EQ(PiecePath("SUB", "SUB\\FILE._", 2), "SUB\\FILE.~01");
    EXPECT_EQ(PiecePath("", "NOEXT", 2), "NOEXT.~01");
    EXPECT_EQ(PiecePath("", "A.B.C_", 2), "A.B.~01");
    // The installer keeps only the file-name part of the first piece: a name with a directory
    // of its own has its further pieces in sourceSubdir itself.
    EXPECT_EQ(PiecePath("SUB", "SUB\\DIR\\X.DL_", 2), "SUB\\X.~01");
    EXPECT_EQ(DiskPath("", "X.DL_"), "X.DL_");
    EXPECT_EQ(DiskPath("SUB", "X.DL_"), "SUB\\X.DL_");
}

TEST(DiskNames, NamesThatDisksRefuseAreReported) {
    EXPECT_FALSE(DiskNameProblem("SETUP.EXE"));
    EXPECT_FALSE(DiskNameProblem("SUB\\DIR\\X.DLL"));
    EXPECT_FALSE(DiskNameProblem("Read Me.txt"));
    for (const char* bad : {"", "A/B", "A:B", "..", "A\\..\\B", "A\\\\B", "\\A", "X.", "X ",
                            "?D\\X.EXE", "A*", "T\tAB", "SUB\\aux.txt"}) {
        EXPECT_TRUE(DiskNameProblem(bad)) << bad;
    }
    EXPECT_TRUE(DiskNameProblem(std::string(256, 'A')));
    // Device names, whole or before any extension, in any case; names that only begin alike.
    for (const char* device : {"nul", "Com1.txt", "LPT9", "con.tar.gz", "AUX .log"}) {
        EXPECT_EQ(WindowsNameProblem(device).value_or("").find("names the device"), 0u) << device;
    }
    for (const char* fine : {"CONSOLE.TXT", "COM0", "LPT10", "a.con", "NULL", "PRN1"}) {
        EXPECT_FALSE(WindowsNameProblem(fine)) << fine;
    }
    EXPECT_EQ(FoldCase("Sub\\readme.txt"), "SUB\\README.TXT");
}

TEST(DiskFormat, FloppySizesBecomeTheirFatFormats) {
    const DiskFormat floppy = DiskFormatFor(1457664);
    EXPECT_EQ(floppy.floppyName, "1.44M");
    EXPECT_EQ(floppy.capacity, 1457664u);
    EXPECT_EQ(floppy.cluster, 512u);
    EXPECT_EQ(floppy.rootEntries, 224u);
    // 720K given as its raw size: the usable bytes after the FATs and root directory.
    const DiskFormat small = DiskFormatFor(737280);
    EXPECT_EQ(small.floppyName, "720K");
    EXPECT_EQ(small.capacity, 730112u);
    EXPECT_EQ(small.cluster, 1024u);
    EXPECT_FALSE(DiskFormatFor(std::nullopt).capacity);
    EXPECT_FALSE(DiskFormatFor(1000).IsFloppy());
    EXPECT_EQ(DiskFormatFor(1000).cluster, 1u);
}

TEST(DiskFormat, FatCountsClustersDirectoriesAndRootSlots) {
    EXPECT_EQ(DirectoryEntriesFor("SETUP.EXE"), 1u);
    EXPECT_EQ(DirectoryEntriesFor("SETUP.~01"), 1u);
    EXPECT_EQ(DirectoryEntriesFor("readme.txt"), 2u);       // lower case needs a long name
    EXPECT_EQ(DirectoryEntriesFor("LONGFILENAME.TXT"), 3u); // 16 characters: two long entries
    EXPECT_EQ(DirectoryEntriesFor("A.B.C"), 2u);

    const DiskFormat floppy = DiskFormatFor(1457664);
    DiskSpace space(floppy);
    space.Add("A.TXT", 1);
    EXPECT_EQ(space.Used(), 512u);
    // A new sub-directory costs a cluster of its own before the file's.
    EXPECT_EQ(space.Room("SUB\\B.TXT"), 1457664u - 512 - 512);
    space.Add("SUB\\B.TXT", 513);
    EXPECT_EQ(space.Used(), 512u + 512 + 1024);
    EXPECT_EQ(space.Room("SUB\\C.TXT"), 1457664u - 2048);

    DiskSpace root(floppy);
    for (int i = 0; i < 224; ++i) {
        root.Add("F" + std::to_string(i), 0);
    }
    EXPECT_FALSE(root.Room("ONE.MORE"));
    EXPECT_TRUE(root.Room("F0X\\ONE.MORE") == std::nullopt); // its directory needs a slot too
}

TEST(DiskPlanner, FileOfExactlyTheFreeRoomFitsWhole) {
    const DiskPlan plan = PlanDisks({File("A", 400), File("B", 600), File("C", 1)}, kThousandBytes);
    ASSERT_EQ(plan.disks.size(), 2u);
    EXPECT_EQ(Pieces(plan.files[1]), (decltype(Pieces(plan.files[1])){{1, "B"}}));
    // A full disk gets no empty piece: C starts the next disk whole.
    EXPECT_EQ(Pieces(plan.files[2]), (decltype(Pieces(plan.files[2])){{2, "C"}}));
    EXPECT_EQ(plan.disks[0].used, 1000u);
    EXPECT_EQ(plan.disks[0].files, 2u);
}

TEST(DiskPlanner, FileSpanningThreeDisksIsCutFromItsStoredBytes) {
    const DiskPlan plan =
        PlanDisks({File("SETUP.EXE", 300), File("SUB\\BIG.EX_", 2000, 0, "SUB"), File("X", 5)},
                  kThousandBytes);
    const PlannedFile& big = plan.files[1];
    ASSERT_EQ(big.pieces.size(), 3u);
    EXPECT_EQ(Pieces(big), (decltype(Pieces(big)){
                               {1, "SUB\\BIG.EX_"}, {2, "SUB\\BIG.~01"}, {3, "SUB\\BIG.~02"}}));
    EXPECT_EQ(big.pieces[0].offset, 0u);
    EXPECT_EQ(big.pieces[0].size, 700u);
    EXPECT_EQ(big.pieces[1].offset, 700u);
    EXPECT_EQ(big.pieces[1].size, 1000u);
    EXPECT_EQ(big.pieces[2].offset, 1700u);
    EXPECT_EQ(big.pieces[2].size, 300u);
    EXPECT_EQ(plan.files[2].FirstDisk(), 3u); // after the last piece, never before it
    EXPECT_EQ(plan.disks.size(), 3u);
}

TEST(DiskPlanner, PiecesOfNamesWithoutOrWithLongExtensions) {
    const DiskPlan plan =
        PlanDisks({File("FILE._", 1500), File("PAGE.HTM_", 1500)}, kThousandBytes);
    EXPECT_EQ(Pieces(plan.files[0]),
              (decltype(Pieces(plan.files[0])){{1, "FILE._"}, {2, "FILE.~01"}}));
    EXPECT_EQ(Pieces(plan.files[1]),
              (decltype(Pieces(plan.files[1])){{2, "PAGE.HTM_"}, {3, "PAGE.~01"}}));
}

TEST(DiskPlanner, FilesThatMayNotBeSplitMoveToTheNextDisk) {
    PlanFile picture = File("PICTURE.BM_", 800);
    picture.splitting = Splitting::Forbidden;
    const DiskPlan plan = PlanDisks({File("A", 500), picture}, kThousandBytes);
    EXPECT_EQ(Pieces(plan.files[1]), (decltype(Pieces(plan.files[1])){{2, "PICTURE.BM_"}}));

    PlanFile huge = File("HUGE.BM_", 1001);
    huge.splitting = Splitting::Forbidden;
    EXPECT_THROW((void)PlanDisks({huge}, kThousandBytes), ToolError);
}

TEST(DiskPlanner, RequestedDisksMustFollowInOrder) {
    PlanFile next = File("B", 10);
    next.disk = 2;
    DiskPlan plan = PlanDisks({File("A", 10), next}, kThousandBytes);
    EXPECT_EQ(plan.files[1].FirstDisk(), 2u);

    PlanFile skipping = File("B", 10);
    skipping.disk = 3; // SETUP.EXE would ask for disk 2 and not find the file there
    EXPECT_THROW((void)PlanDisks({File("A", 10), skipping}, kThousandBytes), ToolError);
    PlanFile earlier = File("C", 10);
    earlier.disk = 1;
    EXPECT_THROW((void)PlanDisks({File("A", 990), File("B", 20), earlier}, kThousandBytes),
                 ToolError);
    PlanFile crowded = File("C", 10);
    crowded.disk = 1;
    crowded.splitting = Splitting::Forbidden;
    EXPECT_THROW((void)PlanDisks({File("A", 995), crowded}, kThousandBytes), ToolError);
}

TEST(DiskPlanner, SamePathOnOneDiskIsSharedOnlyForTheSameBytes) {
    DiskPlan plan =
        PlanDisks({File("README.TXT", 50, 1), File("readme.txt", 50, 1)}, kThousandBytes);
    EXPECT_TRUE(plan.files[1].pieces[0].shared);
    EXPECT_EQ(plan.disks[0].used, 50u);

    EXPECT_THROW(
        (void)PlanDisks({File("README.TXT", 50, 1), File("readme.txt", 50, 2)}, kThousandBytes),
        ToolError);
    // A file named like a piece of another one.
    EXPECT_THROW((void)PlanDisks({File("X.EX_", 1500), File("x.~01", 10)}, kThousandBytes),
                 ToolError);
}

TEST(DiskPlanner, UnlimitedCapacityIsOneDisk) {
    const DiskPlan plan =
        PlanDisks({File("A", 5000000), File("B", 7000000)}, DiskFormatFor(std::nullopt));
    ASSERT_EQ(plan.disks.size(), 1u);
    EXPECT_EQ(plan.disks[0].used, 12000000u);
    EXPECT_EQ(plan.files[1].pieces.size(), 1u);
}

TEST(DiskPlanner, AtMost255Pieces) {
    EXPECT_EQ(PlanDisks({File("F", 2550)}, DiskFormatFor(10)).files[0].pieces.size(), 255u);
    EXPECT_THROW((void)PlanDisks({File("F", 2551)}, DiskFormatFor(10)), ToolError);
}

TEST(DiskPlanner, FloppyPiecesFillWholeClusters) {
    // 1.44M: the first file takes 1000 bytes in two clusters; the big one gets the rest of
    // the disk in whole clusters.
    const DiskFormat floppy = DiskFormatFor(1457664);
    const DiskPlan plan = PlanDisks({File("A.TXT", 1000), File("BIG.EX_", 2000000)}, floppy);
    ASSERT_EQ(plan.files[1].pieces.size(), 2u);
    EXPECT_EQ(plan.files[1].pieces[0].size, 1457664u - 1024);
    EXPECT_EQ(plan.disks[0].used, 1457664u);
}

} // namespace

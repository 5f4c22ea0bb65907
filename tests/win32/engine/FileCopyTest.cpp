#include "engine/FileCopy.h"

#include "FailureCode.h"
#include "InstallTestSupport.h"
#include "engine/ItemPaths.h"
#include "script/SetupError.h"

#include <functional>

namespace {

using FileCopyTest = InstallTest;

// The code of the failure the action returns; 0 when it succeeds.
std::uint32_t FailureCodeOf(const std::function<Failure()>& action) {
    return FailureCode(action());
}

// The file held open without sharing (HoldFile), as another program would.
UniqueFile* g_holder = nullptr;

InstallItem CopyItem(const char* name, OverwriteMode mode) {
    InstallItem item;
    item.action = static_cast<std::uint8_t>(ItemAction::Copy);
    item.dirIndex = 1;
    item.overwriteMode = static_cast<std::uint8_t>(mode);
    item.name.Assign(name);
    return item;
}

} // namespace

TEST_F(FileCopyTest, LzCopyExpandsTheFilesOfBothCompressors) {
    const std::string text = ReadAll(fixtures + "text.txt");
    ASSERT_GT(text.size(), 100000u);
    for (const char* compressed : {"text.txt_", "ours.tx_"}) {
        ASSERT_LT(ReadAll(fixtures + compressed).size(), text.size() / 2) << compressed;
        const std::string out = scratch + "expanded.txt";
        EXPECT_TRUE(LzCopyFile((fixtures + compressed).c_str(), out.c_str())) << compressed;
        EXPECT_EQ(ReadAll(out), text) << compressed;
    }
    // A file that is not compressed is copied as it is.
    EXPECT_TRUE(LzCopyFile((fixtures + "text.txt").c_str(), (scratch + "plain.txt").c_str()));
    EXPECT_EQ(ReadAll(scratch + "plain.txt"), text);
}

TEST_F(FileCopyTest, LzCopyOfAMissingSourceFailsWithoutMakingTheCopy) {
    EXPECT_FALSE(LzCopyFile((scratch + "none.tx_").c_str(), (scratch + "out.txt").c_str()));
    EXPECT_FALSE(Exists(scratch + "out.txt"));
    // A destination that cannot be created fails too.
    EXPECT_FALSE(LzCopyFile((fixtures + "ours.tx_").c_str(),
                            (scratch + "no such directory\\out.txt").c_str()));
}

TEST_F(FileCopyTest, VersionedInstallExpandsAndKeepsTheSourceTime) {
    const std::string text = ReadAll(fixtures + "text.txt");
    for (const char* compressed : {"text.txt_", "ours.tx_"}) {
        std::uint8_t done = 0;
        EXPECT_FALSE(
            InstallVersionedFile(scratch, "TEXT.TXT", fixtures, compressed, ReadOnly::No, done));
        EXPECT_EQ(done, 1) << compressed;
        EXPECT_EQ(ReadAll(scratch + "TEXT.TXT"), text) << compressed;
        // As Wine's version installation does: the installed file keeps the last write of
        // the file it came from.
        EXPECT_TRUE(SameTime(LastWrite(scratch + "TEXT.TXT"), LastWrite(fixtures + compressed)));
    }
    // Nothing else is left in the destination: no temporary copy.
    EXPECT_EQ(FilesIn(scratch), std::vector<std::string>{"TEXT.TXT"});
}

TEST_F(FileCopyTest, ReadOnlyDestinationIsReplacedAndMadeReadOnlyWhenAsked) {
    for (ReadOnly readOnly : {ReadOnly::Yes, ReadOnly::No}) {
        WriteAll(scratch + "RO.TXT", "old");
        ASSERT_TRUE(SetFileAttributesA((scratch + "RO.TXT").c_str(), FILE_ATTRIBUTE_READONLY));
        std::uint8_t done = 0;
        EXPECT_FALSE(InstallVersionedFile(scratch, "RO.TXT", fixtures, "ours.tx_", readOnly, done));
        EXPECT_EQ(done, 1);
        EXPECT_EQ(ReadAll(scratch + "RO.TXT"), ReadAll(fixtures + "text.txt"));
        const DWORD attributes = GetFileAttributesA((scratch + "RO.TXT").c_str());
        EXPECT_EQ((attributes & FILE_ATTRIBUTE_READONLY) != 0, readOnly == ReadOnly::Yes);
        SetFileAttributesA((scratch + "RO.TXT").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(FilesIn(scratch), std::vector<std::string>{"RO.TXT"});
}

TEST_F(FileCopyTest, LockedDestinationIgnoredKeepsTheOldFile) {
    WriteAll(scratch + "LOCKED.DLL", "old");
    UniqueFile holder = HoldFile(scratch + "LOCKED.DLL");
    ASSERT_TRUE(holder.valid());
    InUseAnswers answers([](int) { return IDIGNORE; });
    std::uint8_t done = 0;
    EXPECT_EQ(FailureCodeOf([&] {
                  return InstallVersionedFile(scratch, "LOCKED.DLL", fixtures, "ours.tx_",
                                              ReadOnly::No, done);
              }),
              static_cast<std::uint32_t>(kErrorSkipLockedFile));
    EXPECT_EQ(InUseAnswers::calls, 1);
    EXPECT_EQ(InUseAnswers::lastPath, scratch + "LOCKED.DLL");
    EXPECT_EQ(done, 0);
    holder.reset();
    EXPECT_EQ(ReadAll(scratch + "LOCKED.DLL"), "old");
    // The service's temporary copy was deleted.
    EXPECT_EQ(FilesIn(scratch), std::vector<std::string>{"LOCKED.DLL"});
}

TEST_F(FileCopyTest, RetryInstallsOnceTheFileIsReleased) {
    WriteAll(scratch + "LOCKED.DLL", "old");
    UniqueFile holder = HoldFile(scratch + "LOCKED.DLL");
    ASSERT_TRUE(holder.valid());
    g_holder = &holder;
    // Retry while still held asks again; the second answer releases the file first.
    InUseAnswers answers([](int call) {
        if (call == 2) {
            g_holder->reset();
        }
        return IDRETRY;
    });
    std::uint8_t done = 0;
    EXPECT_FALSE(
        InstallVersionedFile(scratch, "LOCKED.DLL", fixtures, "text.txt_", ReadOnly::No, done));
    g_holder = nullptr;
    EXPECT_EQ(InUseAnswers::calls, 2);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(ReadAll(scratch + "LOCKED.DLL"), ReadAll(fixtures + "text.txt"));
    EXPECT_EQ(FilesIn(scratch), std::vector<std::string>{"LOCKED.DLL"});
}

TEST_F(FileCopyTest, AbortInTheInUseQuestionCancels) {
    WriteAll(scratch + "LOCKED.DLL", "old");
    const UniqueFile holder = HoldFile(scratch + "LOCKED.DLL");
    InUseAnswers answers([](int) { return IDABORT; });
    std::uint8_t done = 0;
    EXPECT_EQ(FailureCodeOf([&] {
                  return InstallVersionedFile(scratch, "LOCKED.DLL", fixtures, "ours.tx_",
                                              ReadOnly::No, done);
              }),
              static_cast<std::uint32_t>(kErrorCancelled));
}

TEST_F(FileCopyTest, AnUnreadableSourceFailsWithTheServicesResultWord) {
    std::uint8_t done = 0;
    const std::uint32_t code = FailureCodeOf([&] {
        return InstallVersionedFile(scratch, "X.TXT", fixtures, "missing.tx_", ReadOnly::No, done);
    });
    // Not 0, and not a code that the interpreter reads as cancel or skip.
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, static_cast<std::uint32_t>(kErrorCancelled));
    EXPECT_NE(code, static_cast<std::uint32_t>(kErrorSkipLockedFile));
    EXPECT_EQ(done, 0);
    EXPECT_TRUE(FilesIn(scratch).empty());
}

TEST_F(FileCopyTest, ADamagedCompressedSourceInstallsNothingAndFails) {
    // The service reports success for all three (measured under Wine): cut short in its data,
    // cut inside its header, and data overwritten in the middle: a run of 0xFF bytes reads as
    // literals only, so that stretch expands to far fewer bytes than the references it
    // replaced.
    const std::string whole = ReadAll(fixtures + "ours.tx_");
    std::string bent = whole;
    bent.replace(whole.size() / 2, 1000, 1000, static_cast<char>(0xFF));
    // The disk is a folder of its own: the service does not install a file beside its source.
    const std::string disk = scratch + "disk\\";
    CreateDirectoryA(disk.c_str(), nullptr);
    for (const std::string& damaged :
         {whole.substr(0, whole.size() / 2), whole.substr(0, 10), bent}) {
        WriteAll(disk + "damaged.tx_", damaged);
        std::uint8_t done = 0;
        EXPECT_EQ(FailureCodeOf([&] {
                      return InstallVersionedFile(scratch, "TEXT.TXT", disk, "damaged.tx_",
                                                  ReadOnly::No, done);
                  }),
                  static_cast<std::uint32_t>(ERROR_INVALID_DATA))
            << damaged.size();
        EXPECT_EQ(done, 0);
        // Neither the file nor a temporary copy of it: only folders.
        for (const std::string& name : FilesIn(scratch)) {
            EXPECT_TRUE(GetFileAttributesA((scratch + name).c_str()) & FILE_ATTRIBUTE_DIRECTORY)
                << name << " after " << damaged.size();
        }
    }
    // The same cut header under a plain name is a plain file: installed as it is.
    WriteAll(disk + "plain.txt", whole.substr(0, 10));
    std::uint8_t done = 0;
    EXPECT_FALSE(InstallVersionedFile(scratch, "PLAIN.TXT", disk, "plain.txt", ReadOnly::No, done));
    EXPECT_EQ(done, 1);
    EXPECT_EQ(ReadAll(scratch + "PLAIN.TXT"), whole.substr(0, 10));
}

TEST_F(FileCopyTest, AppendCopiesEveryBlockAndNothingOfAnEmptySource) {
    std::string big(200000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<char>(i * 7 % 251);
    }
    WriteAll(scratch + "big.bin", big);
    WriteAll(scratch + "empty.bin", "");
    UniqueFile out(CreateFileA((scratch + "joined.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(out.get(), INVALID_HANDLE_VALUE);
    for (const char* piece : {"big.bin", "empty.bin", "big.bin"}) {
        const UniqueFile in(CreateFileA((scratch + piece).c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(in.get(), INVALID_HANDLE_VALUE);
        EXPECT_FALSE(AppendFileContents(out.get(), in.get()));
    }
    out.reset();
    EXPECT_EQ(ReadAll(scratch + "joined.bin"), big + big);
}

TEST_F(FileCopyTest, AJoinedFileCarriesTheFirstPiecesTimeAndIsDeletedByItsGuard) {
    InstallItem item = CopyItem("TEXT.TXT", OverwriteMode::Always);
    item.partCount = 1;
    std::string joinedPath;
    {
        TempFileGuard joined;
        EXPECT_FALSE(JoinSplitFile(context, item, joined, fixtures + "ours.tx_"));
        joinedPath = joined.Path();
        EXPECT_EQ(joinedPath, scratch + "ours.tx_");
        EXPECT_EQ(ReadAll(joinedPath), ReadAll(fixtures + "ours.tx_"));
        EXPECT_TRUE(SameTime(LastWrite(joinedPath), LastWrite(fixtures + "ours.tx_")));
    }
    EXPECT_FALSE(Exists(joinedPath));
}

TEST_F(FileCopyTest, AJoinThatFailsLeavesNoFileBehind) {
    InstallItem item = CopyItem("TEXT.TXT", OverwriteMode::Always);
    item.partCount = 1;
    std::string joinedPath;
    EXPECT_EQ(FailureCodeOf([&] {
                  TempFileGuard joined;
                  Failure failure = JoinSplitFile(context, item, joined, fixtures + "missing.tx_");
                  joinedPath = joined.Path();
                  return failure;
              }),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(joinedPath, scratch + "missing.tx_");
    EXPECT_TRUE(FilesIn(scratch).empty());
}

TEST_F(FileCopyTest, AnItemWhoseDirectoryNumberNamesNothingIsNotInstalled) {
    for (std::uint8_t dirIndex : {0, 2, 255}) {
        InstallItem item = CopyItem("TEXT.TXT", OverwriteMode::Always);
        item.dirIndex = dirIndex;
        EXPECT_EQ(FailureCodeOf([&] { return CopyItemFile(context, item, fixtures + "ours.tx_"); }),
                  kErrorBadPathName);
        EXPECT_EQ(item.done, 0);
    }
    EXPECT_TRUE(FilesIn(scratch).empty());
}

TEST_F(FileCopyTest, IgnoreWhileComparingALockedFileIsPassedOn) {
    WriteAll(scratch + "TEXT.TXT", "old");
    const UniqueFile holder = HoldFile(scratch + "TEXT.TXT");
    InUseAnswers answers([](int) { return IDIGNORE; });
    InstallItem item = CopyItem("TEXT.TXT", OverwriteMode::IfOlder);
    // Unlike an Ignore during the installation itself, this one reaches the interpreter.
    EXPECT_EQ(FailureCodeOf([&] { return CopyItemFile(context, item, fixtures + "ours.tx_"); }),
              static_cast<std::uint32_t>(kErrorSkipLockedFile));
    EXPECT_EQ(InUseAnswers::lastPath, scratch + "TEXT.TXT");
}

TEST_F(FileCopyTest, IgnoreWhileInstallingIsDroppedAndTheItemStaysUndone) {
    WriteAll(scratch + "TEXT.TXT", "old");
    const UniqueFile holder = HoldFile(scratch + "TEXT.TXT");
    InUseAnswers answers([](int) { return IDIGNORE; });
    InstallItem item = CopyItem("TEXT.TXT", OverwriteMode::Always);
    EXPECT_FALSE(CopyItemFile(context, item, fixtures + "ours.tx_"));
    EXPECT_EQ(item.done, 0);
    EXPECT_TRUE(item.installedPath.Empty());
}

TEST_F(FileCopyTest, InstalledItemsRecordTheirPath) {
    InstallItem item = CopyItem("TEXT.TXT", OverwriteMode::Never);
    EXPECT_FALSE(CopyItemFile(context, item, fixtures + "text.txt_"));
    EXPECT_EQ(item.done, 1);
    EXPECT_EQ(item.installedPath.View(), scratch + "TEXT.TXT");
    // Kept under Never the second time: not done, no path.
    InstallItem again = CopyItem("TEXT.TXT", OverwriteMode::Never);
    EXPECT_FALSE(CopyItemFile(context, again, fixtures + "ours.tx_"));
    EXPECT_EQ(again.done, 0);
    EXPECT_TRUE(again.installedPath.Empty());
}

TEST_F(FileCopyTest, SharedItemsAreCountedAlsoWhenTheFileIsKept) {
    const std::string destination = scratch + "SHARED.DLL";
    InstallItem first = CopyItem("SHARED.DLL", OverwriteMode::Never);
    first.shared = 1;
    EXPECT_FALSE(CopyItemFile(context, first, fixtures + "ours.tx_"));
    EXPECT_EQ(first.done, 1);
    EXPECT_EQ(host.sharedCounts, std::vector<std::string>{destination});
    InstallItem kept = CopyItem("SHARED.DLL", OverwriteMode::Never);
    kept.shared = 1;
    EXPECT_FALSE(CopyItemFile(context, kept, fixtures + "ours.tx_"));
    EXPECT_EQ(kept.done, 0);
    EXPECT_EQ(host.sharedCounts, (std::vector<std::string>{destination, destination}));
}

TEST_F(FileCopyTest, APassThatListsItsDirectorySeesItsOwnFilesAndThoseMadeBehindItsBack) {
    DestinationListings listings;
    InstallContext pass = context;
    pass.destinations = &listings;
    // Listed while the directory is empty, then installed by the pass.
    InstallItem first = CopyItem("TEXT.TXT", OverwriteMode::Always);
    EXPECT_FALSE(CopyItemFile(pass, first, fixtures + "text.txt_"));
    EXPECT_EQ(first.done, 1);
    // The pass's own file is found under any case of its name, and kept under Never.
    InstallItem again = CopyItem("text.txt", OverwriteMode::Never);
    EXPECT_FALSE(CopyItemFile(pass, again, fixtures + "ours.tx_"));
    EXPECT_EQ(again.done, 0);
    EXPECT_EQ(ReadAll(scratch + "TEXT.TXT"), ReadAll(fixtures + "text.txt"));
    // A file another program made since: the directory's time shows the change (a tick later
    // than the pass's own last change, so that the time can differ at all).
    Sleep(50);
    WriteAll(scratch + "OTHER.TXT", "other program");
    InstallItem other = CopyItem("OTHER.TXT", OverwriteMode::Never);
    EXPECT_FALSE(CopyItemFile(pass, other, fixtures + "ours.tx_"));
    EXPECT_EQ(other.done, 0);
    EXPECT_EQ(ReadAll(scratch + "OTHER.TXT"), "other program");
}

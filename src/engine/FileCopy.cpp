#include "engine/FileCopy.h"

#include "common/Win32Handles.h"
#include "engine/CopyRules.h"
#include "engine/FileOperations.h"
#include "engine/ItemPaths.h"
#include "engine/LzExpand.h"
#include "engine/PathOperations.h"
#include "script/SetupError.h"

#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kAppendBlockSize = 0xFFFE;
// The bytes of a compressed file's header.
constexpr DWORD kCompressedHeaderSize = 14;

// The file's first bytes (up to a compressed header's worth) and its size; false when it
// cannot be read.
bool ReadHead(const std::string& path, std::string& head, std::uint64_t& size) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER length{};
    if (!file || !GetFileSizeEx(file.get(), &length)) {
        return false;
    }
    size = static_cast<std::uint64_t>(length.QuadPart);
    head.assign(kCompressedHeaderSize, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), kCompressedHeaderSize, &read, nullptr)) {
        return false;
    }
    head.resize(read);
    return true;
}

// What the source of an installation promises, measured before the service reads it (the
// disk may be gone once it has: it reads from the file it opened).
struct SourceMeasure {
    enum class State { Whole, Unreadable, Damaged } state = State::Unreadable;
    DWORD expandedSize = 0;
};

// The version-installation service reports success for files it did not install whole: a
// damaged compressed source expands into a short or garbled file, a source cut inside its
// header is copied as it is, and a disk that fills up leaves a short file (measured under
// Wine). So a source under a compressed name must carry a whole header, and the installed file
// must have the size that the source's header gives (its own size when it is not compressed).
// A source that cannot be read is left to the service, which reports it.
SourceMeasure MeasureSource(const std::string& source) {
    SourceMeasure measure;
    std::uint64_t size = 0;
    std::string head;
    if (!ReadHead(source, head, size)) {
        return measure;
    }
    const bool compressedName = !source.empty() && source.back() == '_';
    if (compressedName && IsDamagedCompressedHeader(head, size)) {
        measure.state = SourceMeasure::State::Damaged;
        return measure;
    }
    if (!HasCompressedSignature(head)) {
        // As the expansion library would say without opening the file again; its sizes are
        // signed 32-bit.
        if (size <= static_cast<std::uint64_t>(INT32_MAX)) {
            measure.state = SourceMeasure::State::Whole;
            measure.expandedSize = static_cast<DWORD>(size);
        }
        return measure;
    }
    std::int32_t expanded = -1;
    if (!LzExpandedSize(source.c_str(), expanded) && expanded >= 0) {
        measure.state = SourceMeasure::State::Whole;
        measure.expandedSize = static_cast<DWORD>(expanded);
    }
    return measure;
}

// Whether the installed file has the size the source promised.
bool InstalledWhole(const SourceMeasure& source, const std::string& target) {
    WIN32_FILE_ATTRIBUTE_DATA installed{};
    return source.state == SourceMeasure::State::Whole &&
           GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &installed) &&
           installed.nFileSizeHigh == 0 && installed.nFileSizeLow == source.expandedSize;
}

// The last write time of a directory, which changes when a name is added or removed there; 0
// when it cannot be read.
std::uint64_t DirectoryStamp(const std::string& directory) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(directory.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

// Every name in the directory; none when it cannot be listed to the end.
std::optional<DirectoryNames> ListDirectory(const std::string& directory) {
    WIN32_FIND_DATAA found;
    const UniqueFind search(FindFirstFileA(JoinPath(directory, "*").c_str(), &found));
    if (!search) {
        return std::nullopt;
    }
    DirectoryNames names;
    do {
        names.Add(found.cFileName, found.cAlternateFileName);
    } while (FindNextFileA(search.get(), &found));
    if (GetLastError() != ERROR_NO_MORE_FILES) {
        return std::nullopt;
    }
    return names;
}

// The pass's listing of the directory, taken anew when the directory has changed since; null
// when it cannot be listed (the file system is then asked about every name). The time is read
// before the listing, so that a change made while the listing is taken shows next time.
DirectoryNames* CurrentListing(DestinationListings& listings, const std::string& directory) {
    const std::uint64_t stamp = DirectoryStamp(directory);
    if (DirectoryNames* names = listings.Find(directory, stamp)) {
        return names;
    }
    std::optional<DirectoryNames> listed = ListDirectory(directory);
    if (!listed || stamp == 0) {
        return nullptr;
    }
    return &listings.Store(directory, stamp, std::move(*listed));
}

// Whether directory\name (path) exists; the file system is asked only when the pass's listing of
// the directory may hold the name.
bool DestinationExists(const InstallContext& context, const std::string& directory,
                       std::string_view name, const std::string& path) {
    if (context.destinations) {
        const DirectoryNames* names = CurrentListing(*context.destinations, directory);
        if (names && !names->MayHold(name)) {
            return false;
        }
    }
    return FileExists(path);
}

// The names of the temporary files (*.tmp) in a directory.
std::vector<std::string> TemporaryFilesIn(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueFind search(FindFirstFileA(JoinPath(directory, "*.tmp").c_str(), &found));
    if (!search) {
        return names;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.push_back(std::string(found.cFileName));
        }
    } while (FindNextFileA(search.get(), &found));
    return names;
}

// Deletes the temporary files in the directory that it did not hold before the service ran
// (all of them when that is not known). The version-installation service expands into a
// temporary file beside the target and, when the disk fills up, leaves it there without
// reporting it (measured under Wine).
void DeleteNewTemporaryFiles(const std::string& directory, const DirectoryNames* before) {
    for (const std::string& name : TemporaryFilesIn(directory)) {
        if (!before || !before->HoldsExactly(name)) {
            DeleteIfNamed(JoinPath(directory, name));
        }
    }
}

// Whether the existing destination is replaced, as the item's overwrite mode and the user say.
Failure DecideExisting(const InstallContext& context, const InstallItem& item,
                       const std::string& destination, const std::string& sourcePath,
                       bool& replace) {
    // A copy: the question stores its answer in the context while it is being applied.
    const RememberedChoice remembered = context.fileExists;
    Failure failure;
    const ExistingFile decision = ShouldReplaceExisting(
        item.overwriteMode, remembered,
        [&] {
            int order = 0;
            failure = CompareLastWrite(destination, sourcePath, order);
            return order;
        },
        [&] {
            std::uint32_t answer = kChoiceKeep;
            failure = context.host.AskFileExists(destination.c_str(), sourcePath.c_str(),
                                                 context.fileExists, answer);
            return answer;
        });
    if (failure) {
        return failure;
    }
    if (decision == ExistingFile::Abort) {
        return SetupError(kErrorCancelled, "the user aborted at an existing file");
    }
    replace = decision == ExistingFile::Replace;
    return std::nullopt;
}

} // namespace

Failure CopyItemFile(const InstallContext& context, InstallItem& item,
                     const std::string& sourcePath) {
    const std::optional<std::string_view> directory = ItemDirectoryPath(context.script, item);
    if (!directory) {
        return SetupError(kErrorBadPathName, "the item's directory number names no directory");
    }
    std::string destination(*directory);
    AppendPathComponent(destination, item.name.View());
    context.host.ShowProgressFiles(sourcePath.c_str(), destination.c_str());

    bool replace = true;
    if (DestinationExists(context, std::string(*directory), item.name.View(), destination)) {
        if (Failure failure = DecideExisting(context, item, destination, sourcePath, replace)) {
            return failure;
        }
    }
    if (replace) {
        Failure failure = InstallVersionedFile(
            *directory, item.name.View(), DirectoryPart(sourcePath), FileNamePart(sourcePath),
            item.readOnly ? ReadOnly::Yes : ReadOnly::No, item.done, context.destinations);
        // Ignore while the service replaced the file: the old file stays, silently.
        if (failure && failure->code() != kErrorSkipLockedFile) {
            return failure;
        }
    }
    if (item.done) {
        item.installedPath.Assign(destination);
    }
    if (item.shared) {
        context.host.RaiseSharedCount(destination);
    }
    return std::nullopt;
}

Failure JoinSplitFile(const InstallContext& context, const InstallItem& item, TempFileGuard& joined,
                      const std::string& firstPiecePath) {
    const std::string pieceName = FileNamePart(firstPiecePath);
    joined.Set(JoinPath(context.temporaryDirectory.View(), pieceName));
    UniqueFile output;
    if (Failure failure = OpenFileExclusive(joined.Path(), GENERIC_WRITE, CREATE_ALWAYS, output)) {
        return failure;
    }

    FILETIME created{};
    FILETIME accessed{};
    FILETIME written{};
    std::string current = firstPiecePath;
    for (unsigned piece = 1; piece <= item.partCount; ++piece) {
        if (piece > 1) {
            const std::string relative =
                SplitPiecePath(item.sourceSubdir.View(), pieceName, piece, PlatformFullPath);
            if (Failure failure = context.host.AskForDisk(context.currentDisk + 1, relative)) {
                return failure;
            }
            current = JoinPath(context.sourceDirectory.View(), relative);
        }
        UniqueFile input;
        if (Failure failure = OpenFileExclusive(current, GENERIC_READ, OPEN_EXISTING, input)) {
            return failure;
        }
        if (piece == 1) {
            GetFileTime(input.get(), &created, &accessed, &written);
        }
        if (Failure failure = AppendFileContents(output.get(), input.get())) {
            return failure;
        }
    }
    SetFileTime(output.get(), &created, &accessed, &written);
    return std::nullopt;
}

Failure InstallVersionedFile(std::string_view destinationDirectory,
                             std::string_view destinationName, std::string_view sourceDirectory,
                             std::string_view sourceName, ReadOnly readOnly, std::uint8_t& done,
                             DestinationListings* listings) {
    const std::string target = JoinPath(destinationDirectory, destinationName);
    // The platform's declaration takes writable strings; it gets copies of its own.
    std::string toDirectory(destinationDirectory);
    std::string toName(destinationName);
    std::string fromDirectory(sourceDirectory);
    std::string fromName(sourceName);
    const SourceMeasure source = MeasureSource(JoinPath(fromDirectory, fromName));
    if (source.state == SourceMeasure::State::Damaged) {
        // Refused before the service replaces the existing file with a copy of the damage.
        return SetupError(ERROR_INVALID_DATA, "the source is damaged");
    }
    DestinationListings ownListings;
    DestinationListings& known = listings ? *listings : ownListings;
    ReadOnlyCleared cleared = ReadOnlyCleared::No;
    for (;;) {
        // What the directory holds before the service runs: the temporary files it may leave
        // are the ones not listed.
        DirectoryNames* before = CurrentListing(known, toDirectory);
        char temporary[kPathCapacity] = {};
        UINT temporaryLength = sizeof temporary;
        const DWORD result =
            VerInstallFileA(VIFF_FORCEINSTALL, fromName.data(), toName.data(), fromDirectory.data(),
                            toDirectory.data(), toDirectory.data(), temporary, &temporaryLength);
        if (result & kVersionTempFile) {
            DeleteIfNamed(JoinPath(toDirectory, temporary));
        }
        const VersionInstallStep step = NextVersionInstallStep(result, cleared);
        // A file installed whole leaves no temporary file: the service renamed it to the target.
        const bool whole = step == VersionInstallStep::Done && InstalledWhole(source, target);
        if (!whole) {
            DeleteNewTemporaryFiles(toDirectory, before);
        }
        if (before) {
            // The target may exist now, whatever the result.
            before->Add(toName);
            known.Restamp(toDirectory, DirectoryStamp(toDirectory));
        }
        switch (step) {
        case VersionInstallStep::Done:
            // A file installed from a source that was not whole, or not of the size promised,
            // is removed, so that no garbage is left in its place, and the failure goes to the
            // item's question.
            if (!whole) {
                DeleteIfNamed(target);
                return SetupError(ERROR_INVALID_DATA, "not installed whole");
            }
            done = 1;
            if (readOnly == ReadOnly::Yes) {
                SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
            }
            return std::nullopt;
        case VersionInstallStep::AskInUse: {
            const int answer = AskFileInUse(target.c_str());
            if (answer == IDRETRY) {
                continue;
            }
            return SetupError(static_cast<std::uint32_t>(answer), "in use");
        }
        case VersionInstallStep::ClearReadOnly:
            if (SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL)) {
                cleared = ReadOnlyCleared::Yes;
                continue;
            }
            return SetupError(result, "cannot make writable");
        case VersionInstallStep::Fail:
            return SetupError(result, "cannot install");
        }
    }
}

Failure AppendFileContents(HANDLE destination, HANDLE source) {
    std::string buffer(kAppendBlockSize, '\0');
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(source, buffer.data(), kAppendBlockSize, &read, nullptr)) {
            return SetupError(GetLastError(), "cannot read a piece");
        }
        DWORD written = 0;
        if (!WriteFile(destination, buffer.data(), read, &written, nullptr)) {
            return SetupError(GetLastError(), "cannot write the joined file");
        }
        if (written != read) {
            return SetupError(ERROR_DISK_FULL, "the joined file was cut short");
        }
        if (read == 0) {
            return std::nullopt;
        }
    }
}

bool LzCopyFile(const char* sourcePath, const char* destinationPath) {
    LzFile source;
    // Declared second, so closed first.
    LzFile destination;
    if (source.Open(sourcePath, LzOpenMode::Read) ||
        destination.Open(destinationPath, LzOpenMode::Create)) {
        return false; // a file that cannot be opened: nothing was copied
    }
    return LZCopy(source.handle(), destination.handle()) >= 0;
}

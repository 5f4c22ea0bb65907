#include "disks/DiskPlanner.h"

#include "disks/DiskNames.h"
#include "ToolError.h"
#include "ToolFiles.h"

#include <map>
#include <set>

namespace {

constexpr std::uint32_t kMaxFolderTries = 999;

struct StoredFile {
    std::uint64_t identity = 0;
    std::uint64_t size = 0;
    bool whole = true;
    std::string what;
};

class Planner {
public:
    explicit Planner(const DiskFormat& format) : format_(format) { NewDisk(); }

    PlannedFile Place(const PlanFile& file) {
        MoveToRequestedDisk(file);

        PlannedFile planned;
        planned.subdir = file.pieceSubdir;
        if (const auto shared = SharedCopy(file)) {
            planned.pieces.push_back(*shared);
            return planned;
        }

        std::uint64_t offset = 0;
        std::uint32_t piece = 1;
        std::string first = file.path;
        for (;;) {
            if (piece == 1 && !file.storedName.empty() && Taken(first)) {
                planned.subdir = FreeSubdir(file);
                first = DiskPath(planned.subdir, file.storedName);
            }
            const std::string path = piece == 1 ? first : PiecePath(planned.subdir, first, piece);
            const std::uint64_t rest = file.size - offset;
            const std::optional<std::uint64_t> entryRoom = Space().Room(path);
            const std::uint64_t room = entryRoom.value_or(0);
            if (entryRoom && rest <= room) {
                Store(planned, file, path, offset, rest, piece == 1);
                return planned;
            }
            if (file.splitting == Splitting::Forbidden || room == 0) {
                // Piece k + 1 must be on the disk after piece k, so a piece that finds no room
                // on a fresh disk can only mean a disk too small for anything.
                if (Space().Files() == 0 || piece > 1) {
                    throw ToolError(
                        file.what + ": " + std::to_string(file.size) +
                        " bytes do not fit on an empty disk of " +
                        std::to_string(*format_.capacity) + " bytes" +
                        (file.splitting == Splitting::Forbidden ? " (it cannot be split)" : ""));
                }
                if (file.disk && piece == 1) {
                    throw ToolError(file.what + ": does not fit in the room left on disk " +
                                    std::to_string(CurrentDisk()) + ", which it asks for");
                }
                NewDisk();
                continue;
            }
            if (piece == kMaxPieces) {
                throw ToolError(file.what + ": needs more than " + std::to_string(kMaxPieces) +
                                " disk pieces");
            }
            Store(planned, file, path, offset, room, false);
            offset += room;
            ++piece;
            NewDisk();
        }
    }

    std::vector<DiskUsage> Usage() const {
        std::vector<DiskUsage> usage;
        for (const DiskSpace& space : spaces_) {
            usage.push_back({space.Files(), space.Used()});
        }
        return usage;
    }

private:
    DiskSpace& Space() { return spaces_.back(); }
    std::uint32_t CurrentDisk() const { return static_cast<std::uint32_t>(spaces_.size()); }

    void NewDisk() {
        spaces_.emplace_back(format_);
        stored_.emplace_back();
        folders_.emplace_back();
    }

    void MoveToRequestedDisk(const PlanFile& file) {
        if (!file.disk) {
            return;
        }
        const std::uint32_t current = CurrentDisk();
        if (*file.disk == current + 1) {
            NewDisk();
        } else if (*file.disk != current) {
            throw ToolError(file.what + ": disk " + std::to_string(*file.disk) +
                            " is asked for, but the files before it end on disk " +
                            std::to_string(current) +
                            "; SETUP.EXE asks for disks only in order, so it must be disk " +
                            std::to_string(current) + " or " + std::to_string(current + 1));
        }
    }

    bool Taken(const std::string& path) const {
        return stored_.back().count(FoldCase(path)) != 0 || folders_.back().count(FoldCase(path));
    }

    // A sub-folder of the file's own where its path is free on the current disk: the hint,
    // then the hint numbered (HELP, HELP2, HELP3, ...). The folder must not be a file's name.
    std::string FreeSubdir(const PlanFile& file) const {
        const std::string hint = file.folderHint.empty() ? "FILES" : file.folderHint;
        for (std::uint32_t n = 1; n <= kMaxFolderTries; ++n) {
            const std::string name = n == 1 ? hint : hint + std::to_string(n);
            const std::string subdir =
                file.pieceSubdir.empty() ? name : file.pieceSubdir + "\\" + name;
            const std::string path = DiskPath(subdir, file.storedName);
            if (!DiskNameProblem(path) && !stored_.back().count(FoldCase(subdir)) && !Taken(path)) {
                return subdir;
            }
        }
        throw ToolError(file.what + ": " + file.path + " on disk " + std::to_string(CurrentDisk()) +
                        " is taken, and no free sub-folder was found for it");
    }

    // The same bytes at the same place on the current disk serve a second time (the read-me
    // that is also installed, two items installing one file to two directories).
    std::optional<PlannedPiece> SharedCopy(const PlanFile& file) {
        const auto found = stored_.back().find(FoldCase(file.path));
        if (found == stored_.back().end()) {
            return std::nullopt;
        }
        const StoredFile& existing = found->second;
        const bool same =
            existing.whole && existing.identity == file.identity && existing.size == file.size;
        if (!same && !file.storedName.empty()) {
            return std::nullopt; // the file moves to a sub-folder of its own
        }
        if (!same) {
            throw ToolError(file.what + ": " + file.path + " on disk " +
                            std::to_string(CurrentDisk()) + " is already taken by " +
                            existing.what);
        }
        return PlannedPiece{CurrentDisk(), file.path, 0, file.size, true};
    }

    void Store(PlannedFile& planned, const PlanFile& file, const std::string& path,
               std::uint64_t offset, std::uint64_t size, bool whole) {
        auto& stored = stored_.back();
        const std::string key = FoldCase(path);
        if (const auto found = stored.find(key); found != stored.end()) {
            throw ToolError(file.what + ": " + path + " on disk " + std::to_string(CurrentDisk()) +
                            " is already taken by " + found->second.what);
        }
        stored[key] = StoredFile{file.identity, size, whole, file.what};
        for (std::size_t slash = key.find('\\'); slash != std::string::npos;
             slash = key.find('\\', slash + 1)) {
            folders_.back().insert(key.substr(0, slash));
        }
        Space().Add(path, size);
        planned.pieces.push_back(PlannedPiece{CurrentDisk(), path, offset, size, false});
    }

    const DiskFormat& format_;
    std::vector<DiskSpace> spaces_;
    std::vector<std::map<std::string, StoredFile>> stored_; // per disk, by folded path
    std::vector<std::set<std::string>> folders_;            // per disk, folded
};

} // namespace

DiskPlan PlanDisks(const std::vector<PlanFile>& files, const DiskFormat& format) {
    Planner planner(format);
    DiskPlan plan;
    for (const PlanFile& file : files) {
        plan.files.push_back(planner.Place(file));
    }
    plan.disks = planner.Usage();
    return plan;
}

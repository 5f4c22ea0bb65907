#include "verify/ItemPieces.h"

#include "disks/DiskNames.h"

namespace {

std::string JoinedName(const std::vector<PieceLocation>& pieces) {
    const std::string first = DiskSet::Name(pieces.front().disk, pieces.front().path);
    if (pieces.size() == 1) {
        return first;
    }
    const std::string last = DiskSet::Name(pieces.back().disk, pieces.back().path);
    if (pieces.size() == 2) {
        return first + " (joined with " + last + ")";
    }
    return first + " (" + std::to_string(pieces.size()) + " pieces, to " + last + ")";
}

// What a missing or unreadable piece is to the product: "piece 2 of 3 of NOTEPAD.EX_", or
// the item for a file in one piece.
std::string PieceRole(const std::vector<PieceLocation>& pieces, std::size_t piece,
                      const InstallItem& item, std::size_t index) {
    if (pieces.size() == 1) {
        return "install item " + std::to_string(index) + ", " + item.name.Str();
    }
    return "piece " + std::to_string(piece + 1) + " of " + std::to_string(pieces.size()) + " of " +
           StoredName(item.name.View(), item.compressed != 0);
}

} // namespace

std::vector<PieceLocation> ItemPieceLocations(const InstallItem& item) {
    const std::string first =
        DiskPath(item.sourceSubdir.View(), StoredName(item.name.View(), item.compressed != 0));
    std::vector<PieceLocation> pieces = {{item.diskNumber, first}};
    for (std::uint32_t piece = 2; piece <= item.partCount; ++piece) {
        pieces.push_back(
            {item.diskNumber + piece - 1, PiecePath(item.sourceSubdir.View(), first, piece)});
    }
    return pieces;
}

JoinedFile ReadItemFile(const DiskSet& disks, const InstallItem& item, std::size_t index) {
    const std::vector<PieceLocation> pieces = ItemPieceLocations(item);
    JoinedFile joined;
    joined.name = JoinedName(pieces);
    for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
        const PieceLocation& at = pieces[piece];
        DiskSet::Read read = disks.ReadFile(at.disk, at.path);
        if (!read.problem.empty()) {
            joined.problems.push_back(DiskSet::Name(at.disk, at.path) + ": " + read.problem + " (" +
                                      PieceRole(pieces, piece, item, index) + ")");
            continue;
        }
        joined.bytes.insert(joined.bytes.end(), read.bytes.begin(), read.bytes.end());
    }
    return joined;
}

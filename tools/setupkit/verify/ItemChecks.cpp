#include "verify/ItemPieces.h"
#include "verify/StoredContents.h"
#include "verify/VerifyChecks.h"

namespace {

struct ItemTally {
    std::size_t items = 0;
    std::size_t pieces = 0;
    std::size_t split = 0;
    std::size_t read = 0;     // whole files, their contents checked
    std::size_t expanded = 0; // of them, compressed
};

// The script's size against the file's: equal, unless the description gave the size, which
// only options can tell.
void CheckSize(const VerifyContext& context, std::size_t index, const JoinedFile& file,
               std::uint64_t size, bool expanded, CheckGroup& contents) {
    const InstallItem& item = context.script.installItems[index];
    if (size == item.size) {
        return;
    }
    const std::string figures = file.name + ": install item " + std::to_string(index) + " is " +
                                Thousands(item.size) + " bytes in the script, " +
                                (expanded ? "the file expands to " : "the file holds ") +
                                Thousands(size);
    const auto& given = context.options.sizeGivenItems;
    if (!given) {
        contents.Warn(figures + ": right only if the description gives this size");
    } else if (!given->contains(index)) {
        contents.Fault(figures);
    }
}

void CheckItem(const VerifyContext& context, std::size_t index, ItemTally& tally, CheckGroup& files,
               CheckGroup& contents) {
    const InstallItem& item = context.script.installItems[index];
    const JoinedFile file = ReadItemFile(context.disks, item, index);
    ++tally.items;
    tally.pieces += item.partCount > 1 ? item.partCount : 1;
    tally.split += item.partCount > 1;
    for (const std::string& problem : file.problems) {
        files.Fault(problem);
    }
    if (!file.problems.empty()) {
        return;
    }
    ++tally.read;
    if (!item.compressed) {
        CheckSize(context, index, file, file.bytes.size(), false, contents);
        return;
    }
    const StoredContents stored = ExpandStored(file.bytes);
    if (!stored.problem.empty()) {
        contents.Fault(file.name + ": " + stored.problem);
        return;
    }
    tally.expanded += stored.compressed;
    CheckSize(context, index, file, stored.size, stored.compressed, contents);
}

} // namespace

bool ReadsDiskFile(const InstallItem& item) {
    return item.action == static_cast<std::uint8_t>(ItemAction::Copy) ||
           item.action == static_cast<std::uint8_t>(ItemAction::ShowBitmap);
}

void CheckItems(const VerifyContext& context, CheckGroup& files, CheckGroup& contents) {
    ItemTally tally;
    for (std::size_t index = 0; index < context.script.installItems.size(); ++index) {
        if (ReadsDiskFile(context.script.installItems[index])) {
            CheckItem(context, index, tally, files, contents);
        }
    }
    files.summary = "the files of " + Counted(tally.items, "install item") + " present, " +
                    Counted(tally.pieces, "piece") + " (" + std::to_string(tally.split) + " split)";
    contents.summary = Counted(tally.read, "file") + " read whole (" +
                       std::to_string(tally.expanded) +
                       " expanded), each of the size the script gives";
}

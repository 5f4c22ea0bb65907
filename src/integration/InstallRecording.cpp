#include "integration/InstallRecording.h"

#include "integration/RecordPaths.h"

#include <algorithm>

DestinationBefore JudgeFoundFile(const std::string& path, const std::optional<FileStamp>& stamp,
                                 bool countedShared, const std::optional<RemovalRecord>& earlier,
                                 const ProductClaims& others) {
    DestinationBefore before;
    before.path = path;
    before.present = stamp.has_value();
    if (!stamp) {
        return before;
    }
    if (earlier) {
        for (const RecordedFile& file : earlier->files) {
            if (SamePath(file.path, path) && FileStamp{file.size, file.writeTime} == *stamp) {
                before.existedBefore = file.existedBefore;
                before.copiedBefore = file.copied;
                return before;
            }
        }
    }
    before.existedBefore = !countedShared && !others.NamesFile(path);
    return before;
}

void RecordItemDone(RemovalRecord& record, const InstallItem& item,
                    const DestinationBefore& before) {
    const auto action = static_cast<ItemAction>(item.action);
    if (action == ItemAction::Delete && item.done) {
        record.notes.push_back("Deleted File " + item.name.Str());
    }
    const bool kept = !item.done && before.present;
    if (action != ItemAction::Copy || !(item.done || kept)) {
        return;
    }
    const std::string path = item.done ? item.installedPath.Str() : before.path;
    const auto known = std::ranges::find_if(
        record.files, [&](const RecordedFile& file) { return SamePath(file.path, path); });
    if (known != record.files.end()) {
        known->shared = known->shared || item.shared;
        known->copied = known->copied || item.done;
        return;
    }
    RecordedFile file;
    file.path = path;
    file.existedBefore = before.existedBefore;
    file.shared = item.shared;
    file.copied = item.done || before.copiedBefore;
    record.files.push_back(std::move(file));
}

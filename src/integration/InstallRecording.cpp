#include "integration/InstallRecording.h"

#include "common/AsciiCase.h"

#include <algorithm>

void RecordItemDone(RemovalRecord& record, const InstallItem& item, bool fileExistedBefore) {
    if (!item.done) {
        return;
    }
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Copy: {
        const std::string upper = AsciiUpper(item.installedPath.View());
        const auto known = std::ranges::find_if(
            record.files, [&](const RecordedFile& file) { return AsciiUpper(file.path) == upper; });
        if (known != record.files.end()) {
            known->shared = known->shared || item.shared;
            return;
        }
        RecordedFile file;
        file.path = item.installedPath.Str();
        file.existedBefore = fileExistedBefore;
        file.shared = item.shared;
        record.files.push_back(std::move(file));
        break;
    }
    case ItemAction::Delete:
        record.notes.push_back("Deleted File " + item.name.Str());
        break;
    default:
        break;
    }
}

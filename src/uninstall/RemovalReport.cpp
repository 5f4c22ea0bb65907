#include "uninstall/RemovalReport.h"

#include <string>

namespace {

std::string ReasonText(const KeptObject& object) {
    switch (object.reason) {
    case KeptReason::InUse:
        return "in use";
    case KeptReason::DirectoryNotEmpty:
        return "the directory is not empty";
    case KeptReason::KeyNotEmpty:
        return "the key holds other values or keys";
    case KeptReason::GroupNotEmpty:
        return "the group holds other items";
    case KeptReason::StillShared:
        return "shared, still used by other programs";
    case KeptReason::NoSharedCount:
        return "shared, and no count says who else uses it";
    case KeptReason::KeptByChoice:
        return "shared, kept as you chose";
    case KeptReason::NotAFile:
        return "not a file";
    case KeptReason::NoProgramManager:
        return "the program manager did not answer";
    case KeptReason::ExistedBefore:
        return "it was there before the installation";
    case KeptReason::Changed:
        return "changed since the installation";
    case KeptReason::UsedByOther:
        return "another installed product uses it";
    case KeptReason::Failed:
    case KeptReason::Stopped:
        break;
    }
    return "error " + std::to_string(object.error);
}

template <typename Entry, typename Text>
void AppendList(std::string& message, const std::vector<Entry>& entries, Text text) {
    std::size_t listed = 0;
    for (const Entry& entry : entries) {
        if (listed == kListedLines) {
            message += "\r\n(and " + std::to_string(entries.size() - listed) + " more)";
            break;
        }
        message += "\r\n" + text(entry);
        ++listed;
    }
}

} // namespace

std::string RemovalMessage(std::string_view product, const RemovalOutcome& outcome) {
    std::string message(product);
    if (outcome.stopped) {
        message += " was not removed completely: the removal was stopped. Run it again to remove "
                   "the rest.";
    } else if (outcome.kept.empty()) {
        message += " was removed.";
    } else {
        message += " was removed, except for:";
    }
    AppendList(message, outcome.kept, [](const KeptObject& object) {
        return object.what + " (" + ReasonText(object) + ")";
    });
    if (!outcome.notUndone.empty()) {
        message += "\r\n\r\nWhat the installation did that is not undone:";
        AppendList(message, outcome.notUndone, [](const std::string& text) { return text; });
    }
    return message;
}

#include "engine/ItemPaths.h"

bool ItemReadsSource(const InstallItem& item) {
    switch (static_cast<ItemAction>(item.action)) {
    case ItemAction::Delete:
    case ItemAction::RunNormal:
    case ItemAction::RunMaximized:
    case ItemAction::RunMinimized:
    case ItemAction::HideBitmap:
        return false;
    case ItemAction::Copy:
    case ItemAction::ShowBitmap:
        return true;
    }
    return true;
}

std::string ItemSourcePath(const InstallItem& item, std::string_view base,
                           FullPathFunction fullPath) {
    if (!ItemReadsSource(item)) {
        return {};
    }
    const std::string name =
        item.compressed ? CompressedName(item.name.View(), fullPath) : item.name.Str();
    return JoinPath3(base, item.sourceSubdir.View(), name);
}

std::optional<std::string_view> ItemDirectoryPath(const SetupScript& script,
                                                  const InstallItem& item) {
    if (item.dirIndex == 0 || item.dirIndex > script.directories.size()) {
        return std::nullopt;
    }
    return script.directories[item.dirIndex - 1].path.View();
}

std::string ItemDestinationPath(const SetupScript& script, const InstallItem& item) {
    if (!ItemReadsSource(item)) {
        return {};
    }
    std::string destination(ItemDirectoryPath(script, item).value_or(std::string_view{}));
    AppendPathComponent(destination, item.name.View());
    return destination;
}

int RunShowMode(std::uint8_t action) {
    switch (static_cast<ItemAction>(action)) {
    case ItemAction::RunMaximized:
        return 3;
    case ItemAction::RunMinimized:
        return 2;
    default:
        return 1;
    }
}

std::string SplitPiecePath(std::string_view sourceSubdir, std::string_view firstPieceName,
                           unsigned piece, FullPathFunction fullPath) {
    // "~" and the piece's number less one, in two digits at least ("~00", "~01", ..., "~123").
    const std::string number = std::to_string(piece - 1);
    const std::string extension = (number.size() < 2 ? "~0" : "~") + number;
    return JoinPath(sourceSubdir, ReplaceExtension(firstPieceName, extension, fullPath));
}

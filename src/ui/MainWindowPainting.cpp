#include "ui/MainWindowPainting.h"

#include "engine/FileCopy.h"
#include "engine/PathOperations.h"
#include "engine/PathRules.h"
#include "engine/TempFileGuard.h"
#include "resources/ResourceIds.h"
#include "ui/GdiScopes.h"
#include "ui/PictureGeometry.h"

#include <string>
#include <string_view>

namespace {

enum BackgroundStyleCode : std::uint8_t {
    kStyleShadowed = 1,
    kStyleTiled = 2,
    kStyleStretched = 3,
    kStyleGradient = 4,
};

// The picture named by the script, expanded from the disk into the temporary directory.
Failure LoadDiskPicture(BitmapImage& image, std::string_view name, const PictureFolders& folders) {
    const TempFileGuard copy(JoinPath(folders.temporaryDirectory, name));
    const std::string source = JoinPath(folders.sourceDirectory, CompressedName(name));
    // A failed expansion shows as the copy missing: opening it fails below.
    static_cast<void>(LzCopyFile(source.c_str(), copy.Path().c_str()));
    return LoadBitmapFile(image, copy.Path().c_str());
}

void LoadSidePictureResource(BitmapImage& image) {
    image.deviceBitmap.reset(
        LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SIDE_PICTURE)));
    BITMAP info{};
    if (image.deviceBitmap && GetObjectA(image.deviceBitmap.get(), sizeof info, &info)) {
        image.width = info.bmWidth;
        image.height = info.bmHeight;
    }
}

// Resource types by number (RT_GROUP_ICON, RT_DIALOG, RT_BITMAP).
constexpr WORD kGroupIcon = 14;
constexpr WORD kDialog = 5;
constexpr WORD kBitmap = 2;

struct ResourceRef {
    WORD type;
    WORD id;
};

// The order in which they are touched at start-up: group icons, dialogs, bitmaps.
constexpr ResourceRef kPreloaded[] = {
    {kGroupIcon, IDI_SETUP},         {kGroupIcon, IDI_MINIMAL},   {kGroupIcon, IDI_CUSTOM},
    {kGroupIcon, IDI_TYPICAL},       {kDialog, IDD_DISK_PROMPT},  {kDialog, IDD_FILE_EXISTS},
    {kDialog, IDD_FILE_DETAILS},     {kDialog, IDD_PROGRESS},     {kDialog, IDD_PROGRAM_GROUP},
    {kDialog, IDD_BROWSE_DIRECTORY}, {kDialog, IDD_DESTINATION},  {kDialog, IDD_NOT_ENOUGH_SPACE},
    {kDialog, IDD_WELCOME},          {kDialog, IDD_CUSTOM},       {kDialog, IDD_SETUP_TYPE},
    {kDialog, IDD_README},           {kBitmap, IDB_DISK},         {kBitmap, IDB_COMPUTER},
    {kBitmap, IDB_PACKAGE},          {kBitmap, IDB_SIDE_PICTURE}, {kBitmap, IDB_CHECKED},
    {kBitmap, IDB_UNCHECKED},
};

void PaintGradient(HWND window, HDC dc) {
    RECT client{};
    GetClientRect(window, &client);
    // One brush and one region per band, each made and deleted in turn.
    for (const GradientBand& band : GradientBands(client.bottom - client.top)) {
        const UniqueGdi<HBRUSH> brush(CreateSolidBrush(RGB(0, 0, band.blue)));
        const UniqueGdi<HRGN> region(
            CreateRectRgn(client.left - 1, band.top, client.right, band.bottom));
        if (brush && region) {
            FillRgn(dc, region.get(), brush.get());
        }
    }
}

bool PaintTiles(HWND window, HDC dc) {
    const BitmapImage& image = MainBackgroundImage();
    if (!image.deviceBitmap) {
        return false; // nothing to tile: the plain background shows
    }
    RECT client{};
    GetClientRect(window, &client);
    const TileGrid grid = TilesFor(client.right, client.bottom, image.width, image.height);
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) {
        return false;
    }
    const SelectedObject bitmap(memory.get(), image.deviceBitmap.get());
    for (int column = 0; column < grid.columns; ++column) {
        for (int row = 0; row < grid.rows; ++row) {
            BitBlt(dc, column * grid.tileWidth, row * grid.tileHeight, grid.tileWidth,
                   grid.tileHeight, memory.get(), 0, 0, SRCCOPY);
        }
    }
    return true;
}

} // namespace

BitmapImage& MainBackgroundImage() {
    static BitmapImage image;
    return image;
}

BitmapImage& SideImage() {
    static BitmapImage image;
    return image;
}

Failure LoadBackgroundImages(HWND mainWindow, const SetupScript& script,
                             const PictureFolders& folders) {
    if (!script.backgroundBitmap.Empty()) {
        if (Failure failure =
                LoadDiskPicture(MainBackgroundImage(), script.backgroundBitmap.View(), folders)) {
            return failure;
        }
    }
    InvalidateRect(mainWindow, nullptr, TRUE);
    if (!script.sideBitmap.Empty()) {
        return LoadDiskPicture(SideImage(), script.sideBitmap.View(), folders);
    }
    LoadSidePictureResource(SideImage());
    return std::nullopt;
}

void PreloadResources() {
    const HMODULE module = GetModuleHandleA(nullptr);
    for (const ResourceRef& resource : kPreloaded) {
        const HRSRC found =
            FindResourceA(module, MAKEINTRESOURCEA(resource.id), MAKEINTRESOURCEA(resource.type));
        if (!found) {
            continue;
        }
        if (const HGLOBAL loaded = LoadResource(module, found)) {
            static_cast<void>(LockResource(loaded));
        }
    }
}

bool EraseMainBackground(HWND window, HDC dc, const SetupScript& script) {
    switch (script.BackgroundStyle) {
    case kStyleTiled:
        return PaintTiles(window, dc);
    case kStyleShadowed:
    case kStyleGradient:
        PaintGradient(window, dc);
        return true;
    default:
        return false;
    }
}

bool PaintMainWindow(HWND window, const SetupScript& script) {
    const std::uint8_t style = script.BackgroundStyle;
    const BitmapImage& image = MainBackgroundImage();
    if (style == kStyleTiled || script.backgroundBitmap.Empty() || !image.deviceBitmap) {
        return false;
    }
    const PaintScope paint(window);
    const HDC dc = paint.dc();
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) {
        return true;
    }
    const HPALETTE palette = image.palette.get();
    const SelectedPalette memoryPalette(memory.get(), palette);
    const SelectedPalette paintPalette(dc, palette);
    RealizePalette(dc);
    const SelectedObject bitmap(memory.get(), image.deviceBitmap.get());
    const int width = image.width;
    const int height = image.height;
    switch (style) {
    case kStyleShadowed:
        // Black shapes of a black-on-white picture become white (destination OR NOT source),
        // their shadow is cut in 2 right and 4 down (destination AND source), and the white
        // shapes are laid over the shadow again. White parts leave the gradient as it was.
        BitBlt(dc, 1, 1, width, height, memory.get(), 0, 0, MERGEPAINT);
        BitBlt(dc, 3, 5, width, height, memory.get(), 0, 0, SRCAND);
        BitBlt(dc, 1, 1, width, height, memory.get(), 0, 0, MERGEPAINT);
        break;
    case kStyleStretched: {
        RECT client{};
        GetClientRect(window, &client);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, width, height,
                   SRCCOPY);
        break;
    }
    default:
        BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
        break;
    }
    return true;
}

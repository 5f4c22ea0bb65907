#pragma once

#include "script/ScriptModel.h"
#include "ui/BitmapImage.h"

#include "script/SetupError.h"

#include <windows.h>

#include <string_view>

// MainWindow's backdrop: a blue gradient, a tiled picture or the plain class background, and
// on top of it the script's background picture, drawn as BackgroundStyle says:
//   1 gradient, picture as white lettering with a black shadow
//   2 picture tiled over the whole client area
//   3 picture stretched over the whole client area (plain background behind)
//   4 gradient, picture at its own size
//   any other value: plain background, picture at its own size
// Also the two program-wide pictures and the start-up touch of the program's resources.

// The script's background picture; empty when the script names none. Released at exit.
BitmapImage& MainBackgroundImage();

// The pages' side picture: the script's, or the program's bitmap resource 142 (size from the
// resource, no palette). Released at exit.
BitmapImage& SideImage();

// Loads both pictures at start-up (the script's backgroundBitmap and sideBitmap) and
// invalidates mainWindow. A named picture is expanded from the source directory,
// where it lies under its compressed name, into the temporary directory, loaded from there,
// and the temporary copy is deleted again in every case. A picture that cannot be shown
// leaves its image empty. Fails when the copy cannot be opened, which is the case
// when the picture is missing from the source directory (the system's file-not-found code).
struct PictureFolders {
    std::string_view sourceDirectory;
    std::string_view temporaryDirectory;
};
Failure LoadBackgroundImages(HWND mainWindow, const SetupScript& script,
                             const PictureFolders& folders);

// Finds, loads and locks every dialog, icon and bitmap resource that the run uses, once.
void PreloadResources();

// WM_ERASEBKGND: the gradient (styles 1 and 4) or the tiles (style 2, when the picture
// loaded). False leaves the erasing to the class background.
[[nodiscard]] bool EraseMainBackground(HWND window, HDC dc, const SetupScript& script);

// WM_PAINT: the background picture over the background. False, with nothing painted, for
// style 2 (the tiles are the background) and when there is no picture to show.
[[nodiscard]] bool PaintMainWindow(HWND window, const SetupScript& script);

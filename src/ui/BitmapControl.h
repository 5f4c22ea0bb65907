#pragma once

#include "ui/BitmapImage.h"

#include "script/SetupError.h"

#include <windows.h>

#include <memory>

// The billboard: a window of the class "DynaBitmap", a static control that paints its picture
// stretched over its client area instead of text. The install list shows and hides it during
// the copy pass.
class BitmapControl {
public:
    HWND parent = nullptr;
    HWND window = nullptr;
    std::unique_ptr<BitmapImage> image; // never null while the window exists
    // Set once the window exists: from then on the window frees the control (and its picture)
    // when it is destroyed.
    bool ownedByWindow = false;
};

// Creates a hidden DynaBitmap child of parent at (10, 10), 10 x 10, with an empty picture.
// The control belongs to its window, which frees it when destroyed (with the parent at the
// latest). Null when the class cannot be registered or the window cannot be created.
BitmapControl* CreateBitmapControl(HWND parent);

// Replaces the control's picture with the one at path and sizes the window to it (placed at
// 0, 0 until centred). The picture is left empty when the file is not a picture that can be
// shown. Fails as OpenFileExclusive does when the file cannot be opened; the picture is then
// empty too.
Failure LoadBitmapIntoControl(BitmapControl& control, const char* path);

// Centres the window in its parent's client area (a picture larger than that area gets
// negative coordinates) and repaints it and the parent.
void CentreBitmapControl(const BitmapControl& control);

// The install list's billboards, shown in the program's one control: the picture at path,
// centred in the control's parent and shown; a later call replaces it. A file that is not a
// picture leaves the control empty, and it is shown all the same, centred by the rule for an
// empty picture (its top-left corner at the centre), as the install list asks. Fails as
// LoadBitmapIntoControl does (the control is hidden first). Nothing happens without a control.
Failure ShowBillboard(BitmapControl* control, const char* path);

// Hides the billboard; nothing happens without a control.
void HideBillboard(BitmapControl* control);

#pragma once

#include <windows.h>

// Scope objects for what painting borrows and must give back in reverse order: the paint
// context of a window, a window's device context, and objects and palettes selected into a
// context. Declare them in the order they are taken; they are returned as the scope ends.

class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{}; // before dc_: BeginPaint fills it while dc_ is initialised
    HDC dc_;
};

// GetDC / ReleaseDC; a null window is the screen.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) {
            SelectObject(dc_, old_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    // False when the object could not be selected (a bitmap of another format, for one).
    bool selected() const { return old_ && old_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A palette selected as a foreground palette; nothing is selected for a null palette.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette)
        : dc_(dc), old_(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {}
    ~SelectedPalette() {
        if (old_) {
            SelectPalette(dc_, old_, FALSE);
        }
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE old_;
};

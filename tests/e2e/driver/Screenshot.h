#pragma once

#include <windows.h>

#include <string>

// Copies a rectangle of the screen (as the display shows it, other windows included) into a
// 24-bit .bmp file. A window's picture is the screen under its window rectangle.
[[nodiscard]] bool SaveScreenRect(const RECT& rect, const std::string& path);

[[nodiscard]] bool SaveScreen(const std::string& path);
[[nodiscard]] bool SaveWindow(HWND window, const std::string& path);

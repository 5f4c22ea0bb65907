#pragma once

#include <cstdint>
#include <string>

// The rules of the custom page's option list and space lines, apart from the drawing itself.
// Rectangles are list client coordinates with exclusive right and bottom edges, as the
// platform's are.

struct ListRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const ListRect&, const ListRect&) = default;
};

struct ListPoint {
    int x = 0;
    int y = 0;
};

// The check bitmap is 12 by 12 pixels, drawn one pixel below the entry's top.
inline constexpr int kCheckBitmapSize = 12;
// The name starts this far right of the entry's left edge; the size column ends this far left
// of its right edge. Both are drawn one pixel below the top.
inline constexpr int kOptionNameIndent = 20;
inline constexpr int kOptionSizeMargin = 12;
inline constexpr int kOptionTextTop = 1;

// A click toggles the entry when it falls on the entry's line within the first 13 pixels of
// the list (the check box and one pixel beside it); anywhere else it only selects.
bool HitsCheckArea(const ListRect& entry, ListPoint click);

// What is repainted after a toggle: the check box column of the entry, 12 pixels across, from
// the entry's top to 3 pixels above its bottom.
ListRect CheckRepaintArea(const ListRect& entry);

// A space figure as the page shows it: bytes in units of K = 1000 bytes, rounded down, with
// the suffix " K" ("%lu K"). 64 bits wide, so sums and volumes beyond 4 GB show their value.
std::string KiloFigure(std::uint64_t bytes);

// The same for a figure already counted in K (free space).
std::string KiloFigureOfK(std::uint64_t kilo);

#pragma once

#include <cstdint>
#include <vector>

// Where the main window's backdrop and the billboard go: the blue gradient's bands, the grid
// of tiles, the centred billboard. Pure arithmetic on client-area sizes.

// One band of the gradient: rows top to bottom - 1, filled with RGB(0, 0, blue).
struct GradientBand {
    int top = 0;
    int bottom = 0;
    int blue = 0;

    friend bool operator==(const GradientBand&, const GradientBand&) = default;
};

// The gradient over a client area `height` pixels high: 63 bands of height / 63 pixels, blue
// 255 at the top and 3 less for each further band, the last band (blue 69) also taking the
// remainder; a client area under 63 pixels gets one band per row. Empty for height 0. Bands
// follow one another from y = 0 without gaps and end at height.
[[nodiscard]] std::vector<GradientBand> GradientBands(int height);

// The copies of a tiled picture: columns x rows copies at (i x tileWidth, k x tileHeight),
// enough to cover the client area. A picture side of 0 counts as 1.
struct TileGrid {
    int tileWidth = 1;
    int tileHeight = 1;
    int columns = 0;
    int rows = 0;
};

[[nodiscard]] TileGrid TilesFor(int clientWidth, int clientHeight, int pictureWidth,
                                int pictureHeight);

struct PicturePosition {
    int x = 0;
    int y = 0;
};

// The billboard's place in its parent's client area (right and bottom of the client
// rectangle): each half truncated toward zero on its own, so a picture larger than the area
// gets negative coordinates.
[[nodiscard]] PicturePosition CentredPicturePosition(int clientRight, int clientBottom,
                                                     int pictureWidth, int pictureHeight);

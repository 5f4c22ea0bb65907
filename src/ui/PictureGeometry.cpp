#include "ui/PictureGeometry.h"

namespace {

constexpr int kGradientBands = 63;

// blue 255 for band 1, 3 less for each band after it.
constexpr int BandBlue(int band) {
    return 258 - 3 * band;
}

int CeilDiv(int value, int divisor) {
    return value <= 0 ? 0 : (value + divisor - 1) / divisor;
}

} // namespace

std::vector<GradientBand> GradientBands(int height) {
    std::vector<GradientBand> bands;
    if (height <= 0) {
        return bands;
    }
    const int quotient = height / kGradientBands;
    const int bandHeight = quotient > 0 ? quotient : 1;
    const int count = quotient > 0 ? kGradientBands : height;
    for (int band = 1; band < count; ++band) {
        bands.push_back({(band - 1) * bandHeight, band * bandHeight, BandBlue(band)});
    }
    const int last = count >= 2 ? count : 1;
    const int lastTop = (last - 1) * bandHeight;
    if (lastTop < height) {
        bands.push_back({lastTop, height, BandBlue(last)});
    }
    return bands;
}

TileGrid TilesFor(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
    TileGrid grid;
    grid.tileWidth = pictureWidth > 0 ? pictureWidth : 1;
    grid.tileHeight = pictureHeight > 0 ? pictureHeight : 1;
    grid.columns = CeilDiv(clientWidth, grid.tileWidth);
    grid.rows = CeilDiv(clientHeight, grid.tileHeight);
    return grid;
}

PicturePosition CentredPicturePosition(int clientRight, int clientBottom, int pictureWidth,
                                       int pictureHeight) {
    return {clientRight / 2 - pictureWidth / 2, clientBottom / 2 - pictureHeight / 2};
}

#include "ui/OptionListRules.h"

namespace {

constexpr int kCheckAreaRight = 13;

} // namespace

bool HitsCheckArea(const ListRect& entry, ListPoint click) {
    return click.x >= entry.left && click.x < kCheckAreaRight && click.y >= entry.top &&
           click.y < entry.bottom;
}

ListRect CheckRepaintArea(const ListRect& entry) {
    return {entry.left, entry.top, entry.left + kCheckBitmapSize, entry.bottom - 3};
}

std::string KiloFigure(std::uint64_t bytes) {
    return KiloFigureOfK(bytes / 1000);
}

std::string KiloFigureOfK(std::uint64_t kilo) {
    return std::to_string(kilo) + " K";
}

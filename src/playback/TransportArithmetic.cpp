#include "playback/TransportArithmetic.h"

#include "util/Rounding.h"

#include <algorithm>
#include <cmath>

int TransportArithmetic::progressFillWidth(int percent, int barWidth)
{
    if (barWidth <= 0)
        return 0;
    const auto width = korvane::roundHalfEven(percent / 100.0 * barWidth);
    return static_cast<int>(std::clamp<std::int64_t>(width, 0, barWidth));
}

std::optional<TransportArithmetic::Seek> TransportArithmetic::seek(int x, int barWidth)
{
    if (barWidth <= 0 || x >= barWidth - 2)
        return std::nullopt;
    const int fill = std::max(x, 0);
    return Seek{fill, static_cast<double>(fill) / barWidth};
}

std::optional<TransportArithmetic::Volume> TransportArithmetic::volume(int x, int sliderInnerWidth)
{
    const int span = sliderInnerWidth - 10;
    if (span <= 0)
        return std::nullopt;
    const double v = std::floor(static_cast<double>(x - 3) / span * 100.0);
    if (v < 0.0 || v > 100.0)
        return std::nullopt;
    return Volume{x - 3, static_cast<int>(v)};
}

double TransportArithmetic::rewindPosition(double position)
{
    return std::max(position - 0.001, 0.0);
}

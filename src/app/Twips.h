#pragma once

#include "util/Rounding.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <limits>

namespace korvane {

// Window geometry is stored as whole twips in a 32-bit field; anything beyond saturates rather
// than wrapping into a position on the other side of the desktop.
inline qint32 twipsToLong(double twips)
{
    if (std::isnan(twips)) {
        return 0;
    }
    constexpr double low = std::numeric_limits<qint32>::min();
    constexpr double high = std::numeric_limits<qint32>::max();
    return static_cast<qint32>(roundHalfEven(std::clamp(twips, low, high)));
}

} // namespace korvane

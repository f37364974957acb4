#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace korvane {

// Fractions become integers by rounding halves to the even neighbour, everywhere in the program.
inline std::int64_t roundHalfEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

// The same into a narrower integer: values beyond its range saturate instead of wrapping (a
// window far off screen stays far off on the same side), and NaN gives 0.
template <typename Int = int> Int roundSaturating(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double low = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double high = static_cast<double>(std::numeric_limits<Int>::max());
    return static_cast<Int>(roundHalfEven(std::clamp(value, low, high)));
}

// An exact 64-bit result clamped into Int.
template <typename Int = int> Int clampTo(std::int64_t value)
{
    return static_cast<Int>(std::clamp<std::int64_t>(value, std::numeric_limits<Int>::min(),
                                                     std::numeric_limits<Int>::max()));
}

} // namespace korvane

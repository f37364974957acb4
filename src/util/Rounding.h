#pragma once

#include <cmath>
#include <cstdint>

namespace korvane {

// Fractions become integers by rounding halves to the even neighbour, everywhere in the program.
inline std::int64_t roundHalfEven(double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

} // namespace korvane

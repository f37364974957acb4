#pragma once

#include <QLatin1StringView>

namespace korvane {

// The program's own name: window caption, application name, message titles of its own.
inline constexpr QLatin1StringView kProductName{"Korvane"};
// The title users know the player by: tray tip, display name, and the title of message boxes
// that name none of their own.
inline constexpr QLatin1StringView kApplicationTitle{"Taskel Media Player"};

} // namespace korvane

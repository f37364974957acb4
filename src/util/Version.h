#pragma once

#include <QString>

namespace korvane {

// The program's version, as the build names it ("0.1.0").
QString version();

} // namespace korvane

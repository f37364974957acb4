#pragma once

#include "util/Rounding.h"

#include <QtGlobal>

namespace Twips {

// Window geometry is stored as whole twips in a 32-bit field; anything beyond saturates rather
// than wrapping into a position on the other side of the desktop.
inline qint32 toLong(double twips)
{
    return korvane::roundSaturating<qint32>(twips);
}

} // namespace Twips

#include "util/Version.h"

QString korvane::version()
{
    return QStringLiteral(KORVANE_VERSION);
}

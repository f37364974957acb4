#include "util/ProcessRunner.h"

namespace korvane {

QString commandLineText(const QStringList& command)
{
    QStringList parts;
    parts.reserve(command.size());
    for (const QString& item : command) {
        const bool quote = item.isEmpty() || item.contains(QLatin1Char(' ')) ||
                           item.contains(QLatin1Char('\t')) || item.contains(QLatin1Char('"'));
        parts.append(quote ? QLatin1Char('"') + item + QLatin1Char('"') : item);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace korvane

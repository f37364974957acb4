#include "util/ProcessRunner.h"

namespace korvane {

QString commandLineText(const QStringList& command)
{
    QStringList parts;
    parts.reserve(command.size());
    for (const QString& item : command) {
        const bool quote = item.isEmpty() || item.contains(QLatin1Char(' ')) ||
                           item.contains(QLatin1Char('\t')) || item.contains(QLatin1Char('"'));
        QString text;
        text.reserve(item.size());
        for (const QChar c : item) {
            // A line break in an argument would split the first line and let the rest pass for
            // the program's own output.
            if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.unicode() == 0x85 ||
                c.unicode() == 0x2028 || c.unicode() == 0x2029) {
                text += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            } else {
                text += c;
            }
        }
        parts.append(quote ? QLatin1Char('"') + text + QLatin1Char('"') : text);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace korvane

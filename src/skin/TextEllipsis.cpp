#include "skin/TextEllipsis.h"

#include "util/Rounding.h"

#include <QFontMetrics>

QString elideWithDots(const QString& text, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    const QString dots = QStringLiteral("...");
    // Binary search for the longest prefix that still fits with the dots.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid) + dots) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return text.left(low) + dots;
}

QString fitTextWithEllipsis(const QString& text, const QFontMetrics& metrics, int labelWidth)
{
    const int width = static_cast<int>(korvane::roundHalfEven(labelWidth * 0.96));
    return elideWithDots(text, metrics, width);
}

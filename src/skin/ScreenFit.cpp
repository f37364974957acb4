#include "skin/ScreenFit.h"

#include <algorithm>

QRect ScreenFit::fit(QPoint topLeft, QSize size, const QList<QRect>& available)
{
    QRect area;
    for (const QRect& candidate : available) {
        if (!candidate.isEmpty() && candidate.contains(topLeft)) {
            area = candidate;
            break;
        }
    }
    if (area.isEmpty()) {
        const auto first = std::find_if(available.begin(), available.end(),
                                        [](const QRect& a) { return !a.isEmpty(); });
        // With no screen known, the largest window an X server takes.
        area = first == available.end() ? QRect(0, 0, 32767, 32767) : *first;
    }
    const int width = std::clamp(size.width(), 1, area.width());
    const int height = std::clamp(size.height(), 1, area.height());
    // In 64 bits: a stored place near the ends of int must not wrap on the way.
    const auto place = [](int at, int from, int span, int extent) {
        const qint64 last = qint64(from) + span - extent;
        return static_cast<int>(std::clamp<qint64>(at, from, last));
    };
    return {place(topLeft.x(), area.x(), area.width(), width),
            place(topLeft.y(), area.y(), area.height(), height), width, height};
}

#include "skin/FancyListGeometry.h"

#include "util/Rounding.h"

#include <algorithm>
#include <cstdint>
#include <limits>

QRect FancyListGeometry::fitPicture(int sourceWidth, int sourceHeight, const QRect& box)
{
    const std::int64_t boxWidth = box.width();
    const std::int64_t boxHeight = box.height();
    if (boxWidth <= 0 || boxHeight <= 0 || sourceWidth <= 0 || sourceHeight <= 0) {
        return {};
    }
    const std::int64_t sw = sourceWidth;
    const std::int64_t sh = sourceHeight;
    // The products keep the comparison and the scaled sizes exact, so a true half stays a half
    // and goes to the even neighbour instead of drifting with the scale factor's error.
    std::int64_t dw = 0;
    std::int64_t dh = 0;
    if (sh * boxWidth >= sw * boxHeight) {
        dh = boxHeight;
        dw = korvane::roundHalfEven(static_cast<double>(boxHeight * sw) / static_cast<double>(sh));
    } else {
        dw = boxWidth;
        dh = korvane::roundHalfEven(static_cast<double>(boxWidth * sh) / static_cast<double>(sw));
    }
    const std::int64_t ox =
        dw < boxWidth ? korvane::roundHalfEven(static_cast<double>(boxWidth - dw) / 2.0) : 0;
    const std::int64_t oy =
        dh < boxHeight ? korvane::roundHalfEven(static_cast<double>(boxHeight - dh) / 2.0) : 0;
    return QRect(korvane::clampTo(box.x() + ox), korvane::clampTo(box.y() + oy),
                 korvane::clampTo(dw), korvane::clampTo(dh));
}

int FancyListGeometry::scrollMaximum(int count, int itemHeight, int surfaceHeight)
{
    if (count <= 0) {
        return 0;
    }
    const std::int64_t reach =
        static_cast<std::int64_t>(count) * itemHeight - static_cast<std::int64_t>(surfaceHeight);
    return reach >= 1 ? korvane::clampTo(reach) : 0;
}

bool FancyListGeometry::scrollBarVisible(int count, int itemHeight, int surfaceHeight)
{
    return static_cast<std::int64_t>(count) * itemHeight > surfaceHeight;
}

FancyListGeometry::RowRange FancyListGeometry::visibleRows(int offset, int itemHeight,
                                                           int surfaceHeight, int count)
{
    if (itemHeight <= 0 || count <= 0) {
        return {};
    }
    const int first = std::max(offset, 0) / itemHeight;
    const std::int64_t last =
        static_cast<std::int64_t>(first) + std::max(surfaceHeight, 0) / itemHeight + 1;
    return {first, static_cast<int>(std::min<std::int64_t>(last, count - 1))};
}

int FancyListGeometry::rowAt(int offset, double y, int itemHeight, int count)
{
    if (itemHeight <= 0) {
        return -1;
    }
    const std::int64_t position = korvane::roundHalfEven(static_cast<double>(offset) + y);
    if (position < 0) {
        return -1;
    }
    const std::int64_t row = position / itemHeight;
    return row < count ? static_cast<int>(row) : -1;
}

int FancyListGeometry::scrolledOffset(int offset, int delta, int maximum)
{
    const std::int64_t moved =
        korvane::roundHalfEven(static_cast<double>(offset) - static_cast<double>(delta) / 16.0);
    return korvane::clampTo(std::clamp<std::int64_t>(moved, 0, std::max(maximum, 0)));
}

int FancyListGeometry::wheelOffset(int offset, int delta, int itemHeight, int maximum)
{
    const std::int64_t moved =
        static_cast<std::int64_t>(offset) -
        korvane::roundHalfEven(static_cast<double>(delta) * std::max(itemHeight, 1) / 120.0);
    return korvane::clampTo(std::clamp<std::int64_t>(moved, 0, std::max(maximum, 0)));
}

int FancyListGeometry::rowTop(int row, int itemHeight, int offset)
{
    return korvane::clampTo(static_cast<std::int64_t>(row) * itemHeight - offset);
}

QRect FancyListGeometry::textRect(int row, int itemHeight, int offset, int surfaceWidth,
                                  int padding, bool thumbnails, int imageWidth, int reservedRight)
{
    const int top = rowTop(row, itemHeight, offset);
    const int left = padding + (thumbnails ? imageWidth + padding : 0);
    const int right = std::max(surfaceWidth - std::max(reservedRight, 0) - padding, left);
    const int bottom = top + itemHeight;
    return QRect(left, top + padding, right - left, bottom - (top + padding));
}

int FancyListGeometry::dropSlot(int offset, double y, int itemHeight, int count)
{
    if (itemHeight <= 0 || count <= 0) {
        return -1;
    }
    const double position = static_cast<double>(offset) + y;
    const std::int64_t slot = korvane::roundHalfEven(position / itemHeight);
    return static_cast<int>(std::clamp<std::int64_t>(slot, 0, count));
}

int FancyListGeometry::moveTarget(int from, int slot, int count)
{
    if (from < 0 || from >= count || slot < 0 || slot > count) {
        return from;
    }
    // The gaps just above and just below the row itself leave it where it is.
    return slot > from ? slot - 1 : slot;
}

bool FancyListGeometry::dragStarted(const QPoint& pressed, const QPoint& now, int threshold)
{
    return (now - pressed).manhattanLength() >= std::max(threshold, 1);
}

FancyListGeometry::MarkedCaption FancyListGeometry::markCaption(const QRect& textBox,
                                                                int lineHeight)
{
    const int side = std::clamp(lineHeight * 2 / 3, 0, std::max(textBox.width(), 0));
    const int gap = side > 0 ? std::max(side / 2, 2) : 0;
    const QRect mark(textBox.left(), textBox.top() + (lineHeight - side) / 2, side, side);
    QRect text = textBox;
    text.setLeft(std::min(textBox.left() + side + gap, textBox.right() + 1));
    return {mark, text};
}

#pragma once

#include <QRect>

// The arithmetic of the thumbnail list, kept apart from the widget so every rule can be checked
// without painting. Fractions become integers with halves going to the even neighbour.
class FancyListGeometry
{
public:
    struct RowRange
    {
        int first = 0;
        int last = -1; // inclusive; last < first means nothing to draw
    };

    // Where a picture of sourceWidth × sourceHeight pixels lands when fitted into the box, keeping
    // its shape and centring it. An empty result means nothing is drawn.
    static QRect fitPicture(int sourceWidth, int sourceHeight, const QRect& box);

    // Largest scroll offset: how far the rows reach below the surface, never negative.
    static int scrollMaximum(int count, int itemHeight, int surfaceHeight);

    // The scroll bar is shown exactly when the rows do not all fit the surface.
    static bool scrollBarVisible(int count, int itemHeight, int surfaceHeight);

    // Rows touched by the surface at this offset, limited to the items that exist.
    static RowRange visibleRows(int offset, int itemHeight, int surfaceHeight, int count);

    // Row under the point y of the surface, or -1 when the point lies outside every row.
    static int rowAt(int offset, double y, int itemHeight, int count);

    // New offset after a wheel turn of delta units (120 for one notch).
    static int scrolledOffset(int offset, int delta, int maximum);

    // New offset after a wheel turn seen by the user: one row per notch of 120 units, finer
    // wheels in proportion, kept within 0 and the maximum.
    static int wheelOffset(int offset, int delta, int itemHeight, int maximum);

    // Top of row i on the surface; may be negative for the first, partly scrolled-away row.
    static int rowTop(int row, int itemHeight, int offset);

    // Rectangle for the row's caption, right of the picture box when thumbnails are shown and
    // left of what the scroll bar covers (reservedRight pixels at the right edge).
    static QRect textRect(int row, int itemHeight, int offset, int surfaceWidth, int padding,
                          bool thumbnails, int imageWidth, int reservedRight = 0);

    // The gap between rows nearest to the point y of the surface while a row is dragged: 0 is
    // above the first row, count below the last. -1 when there are no rows.
    static int dropSlot(int offset, double y, int itemHeight, int count);
    // The index a row dragged from `from` takes when dropped into gap `slot`; equal to `from`
    // when the drop leaves it where it was.
    static int moveTarget(int from, int slot, int count);
    // Whether the pointer has gone far enough from where the button went down to start a drag.
    static bool dragStarted(const QPoint& pressed, const QPoint& now, int threshold);

    // The play mark of the playing entry: a square glyph box at the start of the caption's first
    // line, and the caption box that is left right of it.
    struct MarkedCaption
    {
        QRect mark;
        QRect text;
    };
    static MarkedCaption markCaption(const QRect& textBox, int lineHeight);
};

#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Keeps a window on the screens it can be seen on. A stored geometry may come from a bigger
// monitor or from a damaged file (a width of two billion twips), and a window that large takes
// memory without end while it paints.
class ScreenFit
{
public:
    // A window at `topLeft` of `size` made to fit one of `available` (the screens' available
    // areas, the primary one first): the area holding its top-left corner, else the primary one.
    // The size is cut to the area's, at least 1 × 1, and the window moved until it lies wholly
    // inside. Any int is taken (a rectangle of them could not even be formed); with no areas
    // known, the largest window an X server takes is the limit.
    static QRect fit(QPoint topLeft, QSize size, const QList<QRect>& available);
};

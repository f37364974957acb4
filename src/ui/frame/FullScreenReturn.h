#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

// How the window stood before full screen, so that leaving it brings the window back exactly:
// maximised again, or at its own place and size whatever the window manager remembers.
class FullScreenReturn
{
public:
    // Remembers the window standing at `place` on the screen and takes it full screen.
    void enter(QWidget& window, QPoint place);
    void leave(QWidget& window) const;

private:
    bool m_wasMaximized = false;
    QRect m_geometry;
};

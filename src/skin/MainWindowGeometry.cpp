#include "skin/MainWindowGeometry.h"

#include "skin/SkinLayout.h"

QRect MainWindowGeometry::contentRect(QSize window)
{
    return {15, 56, window.width() - 30, window.height() - 203};
}

QRect MainWindowGeometry::fullScreenVideoRect(QSize window, bool controlBandShown)
{
    const int height = controlBandShown ? SkinLayout::controlTop(window.height()) : window.height();
    return {0, 0, window.width(), height};
}

QRect MainWindowGeometry::intakeArea(QSize window, const QRect& playlist, bool playlistShown)
{
    QRect area = contentRect(window);
    if (playlistShown && !playlist.isEmpty()) {
        area.setLeft(playlist.left());
        area.setBottom(playlist.bottom());
    }
    return area;
}

QPoint MainWindowGeometry::driveMenuPosition(QSize window)
{
    return {55, window.height() - 44};
}

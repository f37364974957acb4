#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The main window's areas for a client area of a given size, kept apart from the widget so each
// rule can be checked without a window.
class MainWindowGeometry
{
public:
    // Between the frame's pieces: the splitter's place, or the playlist's when it fills.
    static QRect contentRect(QSize window);
    // Full screen, the video takes the whole window, or what the control strip leaves above it
    // while the strip shows.
    static QRect fullScreenVideoRect(QSize window, bool controlBandShown);
    // The intake count sits over the playlist's foot, from its left edge, while the playlist shows;
    // the content rectangle bounds it either way.
    static QRect intakeArea(QSize window, const QRect& playlist, bool playlistShown);
    // Where the drive menu opens: over the DVD button, from the bottom-left corner.
    static QPoint driveMenuPosition(QSize window);
};

#pragma once

#include <QPoint>
#include <optional>

class QWidget;

// Where a shown top-level window stands on the screen, as the X server has it. A window
// manager that takes the window into a frame of its own may leave Qt with the frame's first
// place; the server always knows. None off X11 or before the window has a native window.
std::optional<QPoint> serverPosition(const QWidget& window);

// Asks for the window at `place` on the screen, through the window manager where there is one;
// the window hears where it went as from any move. False off X11.
bool requestServerPosition(const QWidget& window, QPoint place);

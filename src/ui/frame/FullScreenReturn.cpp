#include "ui/frame/FullScreenReturn.h"

#include <QWidget>

void FullScreenReturn::enter(QWidget& window, QPoint place)
{
    m_wasMaximized = window.isMaximized();
    m_geometry = QRect(place, window.size());
    window.showFullScreen();
}

void FullScreenReturn::leave(QWidget& window) const
{
    if (m_wasMaximized) {
        window.showMaximized();
        return;
    }
    window.showNormal();
    window.setGeometry(m_geometry);
}

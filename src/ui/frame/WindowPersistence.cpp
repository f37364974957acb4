#include "ui/frame/WindowPersistence.h"

#include "skin/ScreenFit.h"
#include "ui/frame/ServerPosition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

// The screens' available areas, the primary one first.
QList<QRect> availableAreas()
{
    QList<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) {
        areas.append(primary->availableGeometry());
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            areas.append(screen->availableGeometry());
        }
    }
    return areas;
}

} // namespace

WindowPersistence::WindowPersistence(QWidget& window, SettingsStore& settings)
    : m_window(window), m_settings(settings)
{}

void WindowPersistence::openAtStoredPlace()
{
    const Settings& stored = m_settings.settings();
    m_window.move(m_settings.toPixels(stored.windowLeft, stored.windowTop));
}

void WindowPersistence::applyRemembered()
{
    if (!m_settings.rememberLastSize() && !m_settings.rememberLastPos()) {
        return;
    }
    const Settings& stored = m_settings.settings();
    const QPoint size = m_settings.rememberLastSize()
                            ? m_settings.toPixels(stored.windowWidth, stored.windowHeight)
                            : QPoint(m_window.width(), m_window.height());
    const QPoint place = m_settings.rememberLastPos()
                             ? m_settings.toPixels(stored.windowLeft, stored.windowTop)
                             : m_window.pos();
    // Kept on a screen, whatever the file says.
    const QRect fitted = ScreenFit::fit(
        place, QSize(size.x(), size.y()).expandedTo(m_window.minimumSize()), availableAreas());
    m_window.resize(fitted.size());
    m_window.move(fitted.topLeft());
}

void WindowPersistence::recordSize(bool maximizedByToggle, bool loading)
{
    if (!maximizedByToggle && !loading) {
        m_settings.recordWindowSize(m_window.size());
    }
}

WindowPlacement WindowPersistence::placement(bool maximizedByToggle, QPoint restoredPosition,
                                             bool loading) const
{
    const QPoint here = serverPosition(m_window).value_or(m_window.pos());
    return WindowPlacement{maximizedByToggle ? restoredPosition : here, false, loading};
}

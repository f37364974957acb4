#include "ui/frame/FullScreenBand.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>

FullScreenBand::FullScreenBand(QObject* parent) : QObject(parent)
{
    m_still.setSingleShot(true);
    m_still.setInterval(StillMs);
    connect(&m_still, &QTimer::timeout, this, &FullScreenBand::stood);
}

FullScreenBand::~FullScreenBand()
{
    setPointerHidden(false);
}

void FullScreenBand::setActive(bool active)
{
    if (active == m_active) {
        return;
    }
    m_active = active;
    // Where the pointer stands now is no movement.
    m_lastPointer = QCursor::pos();
    if (active) {
        // Every window of the program reports its pointer moves here, whichever widget is under it.
        qApp->installEventFilter(this);
        m_still.start();
    } else {
        qApp->removeEventFilter(this);
        m_still.stop();
        setPointerHidden(false);
        setShown(false);
    }
}

void FullScreenBand::pointerMoved(QPoint global)
{
    if (!m_active || global == m_lastPointer) {
        return;
    }
    m_lastPointer = global;
    setPointerHidden(false);
    setShown(true);
    m_still.start();
}

bool FullScreenBand::eventFilter(QObject* watched, QEvent* event)
{
    // Moves reach the top-level windows first; the widgets' copies are the same movement.
    if (event->type() == QEvent::MouseMove && watched->isWindowType()) {
        pointerMoved(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
    }
    return QObject::eventFilter(watched, event);
}

void FullScreenBand::stood()
{
    setShown(false);
    setPointerHidden(true);
}

void FullScreenBand::setShown(bool shown)
{
    if (shown != m_shown) {
        m_shown = shown;
        emit shownChanged(shown);
    }
}

void FullScreenBand::setPointerHidden(bool hidden)
{
    if (hidden == m_pointerHidden) {
        return;
    }
    m_pointerHidden = hidden;
    if (hidden) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

#include "ui/frame/SkinnedWindow.h"

#include "skin/SkinImages.h"
#include "skin/SkinPainter.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QWidget>
#include <QWindow>

SkinnedWindow::SkinnedWindow(QWidget& window, ButtonStates states, int captionRegion,
                             const SkinImages* images)
    : m_window(window), m_states(std::move(states)), m_captionRegion(captionRegion),
      m_images(images), m_drag(QGuiApplication::styleHints()->startDragDistance())
{
    m_window.setMouseTracking(true);
}

SkinnedWindow::~SkinnedWindow() = default;

HitTable SkinnedWindow::hitTable() const
{
    return HitTable::fromPieces(m_states.count(), skinPieces());
}

int SkinnedWindow::regionAt(QPoint clientPoint) const
{
    return hitTable().hitTest(clientPoint);
}

int SkinnedWindow::regionUnderCursor() const
{
    return regionAt(m_window.mapFromGlobal(QCursor::pos()));
}

void SkinnedWindow::beginWindowDrag(QPoint globalPressPoint, QPoint windowPressPoint)
{
    m_clickPending = false;
    // Where the window stands, from the press itself: right after the window manager has
    // placed the window, the window's own idea of its place may not have caught up yet.
    m_drag.press(globalPressPoint, globalPressPoint - windowPressPoint);
}

bool SkinnedWindow::followWindowDrag(QPoint globalPointer, Qt::MouseButtons buttons)
{
    if (!m_drag.isHeld()) {
        return false;
    }
    if (!(buttons & Qt::LeftButton)) {
        m_drag.release();
        return false;
    }
    const bool begun = m_drag.hasBegun();
    const std::optional<QPoint> to = m_drag.follow(globalPointer);
    if (!to) {
        return true;
    }
    if (!begun && QGuiApplication::platformName() != QLatin1String("xcb")) {
        // A compositor moves the window itself; the pointer then belongs to it until the
        // button comes up. On X11 the window follows by hand, where the pointer's travel puts
        // it: a window manager's move would start from the last press on the frame's own
        // window, not on a native child such as the caption label.
        QWindow* handle = m_window.windowHandle();
        if (handle != nullptr && handle->startSystemMove()) {
            m_drag.release();
            return true;
        }
    }
    m_window.move(*to);
    return true;
}

void SkinnedWindow::drawSkinPiece(QPainter& painter, int slot, const QRect& rect) const
{
    if (m_images != nullptr) {
        SkinPainter::drawSkinImage(painter, m_images->slot(slot), rect.x(), rect.y(), rect.width(),
                                   rect.height());
    }
}

void SkinnedWindow::paintSkinBackground(QPainter& painter)
{
    painter.fillRect(m_window.rect(), Qt::black);
}

void SkinnedWindow::skinPressed(QMouseEvent&, int) {}

void SkinnedWindow::skinMoved(QMouseEvent&) {}

void SkinnedWindow::skinReleased(QMouseEvent&, int) {}

bool SkinnedWindow::skinDoubleClicked(int)
{
    return false;
}

void SkinnedWindow::hoverRegion(int region)
{
    if (m_states.hover(region)) {
        m_window.update();
    }
}

void SkinnedWindow::setSkinHidden(bool hidden)
{
    m_hidden = hidden;
    m_window.update();
}

bool SkinnedWindow::skinEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Paint:
        paintPieces();
        return true;
    case QEvent::MouseButtonPress:
        handlePress(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        handleMove(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        handleRelease(*static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonDblClick: {
        auto& mouse = *static_cast<QMouseEvent*>(event);
        if (m_hidden || skinDoubleClicked(regionAt(mouse.position().toPoint()))) {
            m_clickPending = false;
        } else {
            handlePress(mouse);
        }
        return true;
    }
    default:
        return false;
    }
}

void SkinnedWindow::paintPieces()
{
    QPainter painter(&m_window);
    paintSkinBackground(painter);
    if (m_hidden) {
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Every piece is laid out even when its image is missing, so a damaged skin still leaves
    // the window's buttons where they belong.
    for (const SkinPiece& piece : skinPieces()) {
        drawSkinPiece(painter, piece.faceSlot(m_states), piece.rect);
    }
    skinPainted();
}

void SkinnedWindow::handlePress(QMouseEvent& event)
{
    if (m_hidden) {
        return;
    }
    const int region = regionAt(event.position().toPoint());
    m_states.press(region);
    m_window.update();
    m_clickPending = event.button() == Qt::LeftButton;
    skinPressed(event, region);
    if (region >= 0 && region == m_captionRegion && event.button() == Qt::LeftButton &&
        captionMayDrag()) {
        beginWindowDrag(event.globalPosition().toPoint(), event.position().toPoint());
    }
}

void SkinnedWindow::handleMove(QMouseEvent& event)
{
    if (m_hidden) {
        return;
    }
    if (followWindowDrag(event.globalPosition().toPoint(), event.buttons())) {
        return;
    }
    if (event.buttons() == Qt::NoButton) {
        hoverRegion(regionAt(event.position().toPoint()));
    }
    skinMoved(event);
}

void SkinnedWindow::handleRelease(QMouseEvent& event)
{
    m_drag.release();
    const QPoint at = event.position().toPoint();
    const int region = regionAt(at);
    skinReleased(event, region);
    // A click is a left press and release on the window; it counts where the button came up.
    const bool click = m_clickPending && event.button() == Qt::LeftButton &&
                       m_window.rect().contains(at) && region >= 0 && !m_states.isDisabled(region);
    m_clickPending = false;
    if (click) {
        skinClicked(region);
    }
}

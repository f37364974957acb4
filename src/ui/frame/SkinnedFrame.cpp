#include "ui/frame/SkinnedFrame.h"

#include "skin/SkinPainter.h"
#include "util/Logging.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

SkinnedFrame::SkinnedFrame(double twipsPerPixelX, double twipsPerPixelY, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_resize(twipsPerPixelX, twipsPerPixelY)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int SkinnedFrame::loadSkinImages(const QString& programFolder)
{
    const int loaded = m_images.loadSkinImages(programFolder);
    m_hitRects = SkinLayout::hitRects(width(), height());
    return loaded;
}

int SkinnedFrame::hitTestCursor() const
{
    return hitTestAt(mapFromGlobal(QCursor::pos()));
}

void SkinnedFrame::enableMediaControl(int playState)
{
    m_buttons.enableMediaControl(playState);
    update();
}

void SkinnedFrame::setMuted(bool muted)
{
    m_muted = muted;
    update();
}

void SkinnedFrame::setFrameHidden(bool hidden)
{
    m_frameHidden = hidden;
    update();
}

void SkinnedFrame::toggleMaximized()
{
    if (isMaximized()) {
        m_maximized = false;
        m_buttons.setState(SkinRegion::Minimize, Normal);
        showNormal();
        qCDebug(lcUi) << "restored";
    } else {
        m_maximized = true;
        m_restoredPosition = pos();
        m_buttons.setState(SkinRegion::Minimize, Disabled);
        showMaximized();
        qCDebug(lcUi) << "maximized";
    }
    maximizeToggled(m_maximized);
    update();
}

void SkinnedFrame::beginWindowDrag(QPoint globalPressPoint)
{
    // Compositors expect the system to move the window; elsewhere it follows by hand.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    m_movingByHand = true;
    m_dragOffset = globalPressPoint - pos();
}

void SkinnedFrame::setTopmost(bool topmost)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) {
        return;
    }
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (wasVisible) {
        show(); // changing window flags hides a visible window
    }
}

void SkinnedFrame::setCaptionLabel(QWidget* label)
{
    m_captionLabel = label;
    label->installEventFilter(this);
}

bool SkinnedFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_captionLabel) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        beginWindowDrag(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseButtonDblClick:
        if (hitTestCursor() == static_cast<int>(SkinRegion::TitleBar)) {
            toggleMaximized();
        }
        return true;
    case QEvent::MouseMove:
        unsetCursor();
        return false;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void SkinnedFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_frameHidden) {
        return;
    }
    m_hitRects = SkinPainter::paintMainWindow(painter, m_images, width(), height(),
                                              m_buttons.buttonStates(), m_muted);
}

void SkinnedFrame::mousePressEvent(QMouseEvent* event)
{
    if (m_frameHidden) {
        return;
    }
    const QPoint at = event->position().toPoint();
    const int hit = hitTestAt(at);
    m_buttons.press(hit);
    update();
    m_resize.press(event->position().x(), event->position().y(), size());
    m_clickPending = true;
    if (hit == static_cast<int>(SkinRegion::Rewind) && !m_buttons.isDisabled(hit)) {
        emit rewindPressed();
    } else if (hit == static_cast<int>(SkinRegion::FastForward) && !m_buttons.isDisabled(hit)) {
        emit fastForwardPressed();
    }
    if (hit == static_cast<int>(SkinRegion::TitleBar) &&
        m_resize.edge() == EdgeResize::Edge::None) {
        m_clickPending = false;
        beginWindowDrag(event->globalPosition().toPoint());
    }
}

void SkinnedFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (m_frameHidden) {
        return;
    }
    if (m_movingByHand) {
        if (event->buttons() & Qt::LeftButton) {
            move(event->globalPosition().toPoint() - m_dragOffset);
            return;
        }
        m_movingByHand = false;
    }
    if (event->buttons() == Qt::NoButton) {
        m_buttons.hover(hitTestAt(event->position().toPoint()));
        update();
    }
    const EdgeResize::Step step =
        m_resize.move(event->position().x(), event->position().y(), size());
    switch (step.pointer) {
    case EdgeResize::Pointer::SizeWE:
        setCursor(Qt::SizeHorCursor);
        break;
    case EdgeResize::Pointer::SizeNS:
        setCursor(Qt::SizeVerCursor);
        break;
    case EdgeResize::Pointer::SizeNWSE:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case EdgeResize::Pointer::Arrow:
        unsetCursor();
        break;
    }
    if (step.size && *step.size != size()) {
        resize(*step.size);
        qCDebug(lcUi).nospace() << "resized " << width() << "x" << height();
    }
}

void SkinnedFrame::mouseReleaseEvent(QMouseEvent* event)
{
    m_movingByHand = false;
    m_resize.release();
    const int hit = hitTestAt(event->position().toPoint());
    if (hit == static_cast<int>(SkinRegion::Rewind)) {
        emit rewindReleased();
    } else if (hit == static_cast<int>(SkinRegion::FastForward)) {
        emit fastForwardReleased();
    }
    // A click is a press and a release on the window; the release after a double-click is none.
    if (m_clickPending && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        click(hit);
    }
    m_clickPending = false;
}

void SkinnedFrame::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_clickPending = false;
    if (m_frameHidden ||
        hitTestAt(event->position().toPoint()) != static_cast<int>(SkinRegion::TitleBar)) {
        return;
    }
    // Straight to the other window state: neither the toggle's flag nor Minimize change here.
    if (isMaximized()) {
        showNormal();
    } else {
        showMaximized();
    }
}

void SkinnedFrame::click(int hit)
{
    if (hit < 0 || m_buttons.isDisabled(hit)) {
        return;
    }
    const auto region = static_cast<SkinRegion>(hit);
    switch (region) {
    case SkinRegion::TitleBar:
    case SkinRegion::Rewind:
    case SkinRegion::FastForward:
    case SkinRegion::WindowIcon:
    case SkinRegion::None:
        return;
    default:
        break;
    }
    qCDebug(lcUi) << "clicked" << SkinLayout::regionName(hit);
    switch (region) {
    case SkinRegion::Close:
        close();
        break;
    case SkinRegion::Maximize:
        toggleMaximized();
        break;
    case SkinRegion::Minimize:
        showMinimized();
        break;
    default:
        emit regionClicked(region);
        break;
    }
}

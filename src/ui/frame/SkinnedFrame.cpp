#include "ui/frame/SkinnedFrame.h"

#include "ui/frame/ServerPosition.h"
#include "util/Logging.h"

#include <QMouseEvent>
#include <QWindow>
#include <utility>

SkinnedFrame::SkinnedFrame(double twipsPerPixelX, double twipsPerPixelY, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      SkinnedWindow(*this, SkinLayout::buttonStates(), static_cast<int>(SkinRegion::TitleBar),
                    &m_images),
      m_resize(twipsPerPixelX, twipsPerPixelY)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int SkinnedFrame::loadSkinImages(const QString& programFolder)
{
    const int loaded = m_images.loadSkinImages(programFolder);
    update();
    return loaded;
}

std::vector<SkinPiece> SkinnedFrame::skinPieces() const
{
    std::vector<SkinPiece> pieces = SkinLayout::pieces(width(), height(), m_muted);
    if (m_bandOnly) {
        const int top = SkinLayout::controlTop(height());
        std::erase_if(pieces, [top](const SkinPiece& piece) { return piece.rect.top() < top; });
    }
    return pieces;
}

void SkinnedFrame::setControlBandOnly(bool bandOnly)
{
    m_bandOnly = bandOnly;
    update();
}

void SkinnedFrame::enableMediaControl(int playState)
{
    SkinLayout::enableMediaControl(mutableButtonStates(), playState);
    update();
}

void SkinnedFrame::setMuted(bool muted)
{
    m_muted = muted;
    update();
}

void SkinnedFrame::toggleMaximized()
{
    if (isMaximized()) {
        m_maximized = false;
        mutableButtonStates().setState(SkinRegion::Minimize, ButtonState::Normal);
        showNormal();
        qCDebug(lcUi) << "restored";
    } else {
        m_maximized = true;
        m_restoredPosition = placeOnScreen();
        mutableButtonStates().setState(SkinRegion::Minimize, ButtonState::Disabled);
        showMaximized();
        qCDebug(lcUi) << "maximized";
    }
    maximizeToggled(m_maximized);
    update();
}

QPoint SkinnedFrame::placeOnScreen()
{
    const std::optional<QPoint> server = serverPosition(*this);
    if (!server) {
        return pos();
    }
    if (*server != pos() && windowState() == Qt::WindowNoState) {
        // Asking for the place the window has makes the window manager confirm it, and the
        // window's own idea of its place catches up.
        requestServerPosition(*this, *server);
    }
    return *server;
}

void SkinnedFrame::setTopmost(bool topmost)
{
    if (m_topmost == topmost) {
        return;
    }
    m_topmost = topmost;
    applyTopmost();
    qCDebug(lcUi) << (topmost ? "topmost on" : "topmost off");
}

void SkinnedFrame::applyTopmost()
{
    // Changing the widget's flags would re-create its native window, and the window manager
    // would see a new window. The flag is told to the window standing on the screen instead,
    // which asks the window manager for its "above" state; a window not shown yet takes it once
    // it shows.
    QWindow* handle = windowHandle();
    if (handle == nullptr || !isVisible()) {
        return;
    }
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, m_topmost);
    if (flags != windowFlags()) {
        overrideWindowFlags(flags);
        handle->setFlags(flags);
    }
}

void SkinnedFrame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && windowState() == Qt::WindowNoState) {
        m_shownAt = pos();
        m_placementUnsettled = true;
    }
    QMetaObject::invokeMethod(this, &SkinnedFrame::applyTopmost, Qt::QueuedConnection);
}

void SkinnedFrame::setCaptionLabel(QWidget* label)
{
    m_captionLabel = label;
    label->installEventFilter(this);
}

bool SkinnedFrame::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && std::exchange(m_placementUnsettled, false)) {
        // A window manager may place a new window by a policy of its own; the window stands
        // where it asked to once shown.
        if (serverPosition(*this).value_or(m_shownAt) != m_shownAt) {
            requestServerPosition(*this, m_shownAt);
        }
    }
    return skinEvent(event) || QWidget::event(event);
}

bool SkinnedFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_captionLabel) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            beginWindowDrag(mouse->globalPosition().toPoint(),
                            m_captionLabel->mapTo(this, mouse->position().toPoint()));
        }
        return true;
    }
    case QEvent::MouseButtonDblClick:
        endWindowDrag();
        if (regionUnderCursor() == static_cast<int>(SkinRegion::TitleBar)) {
            toggleMaximized();
        }
        return true;
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (followWindowDrag(mouse->globalPosition().toPoint(), mouse->buttons())) {
            return true;
        }
        unsetCursor();
        return false;
    }
    case QEvent::MouseButtonRelease:
        endWindowDrag();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void SkinnedFrame::skinPressed(QMouseEvent& event, int region)
{
    m_resize.press(event.position().x(), event.position().y(), size());
    if (buttonStates().isDisabled(region)) {
        return;
    }
    if (region == static_cast<int>(SkinRegion::Rewind)) {
        m_held = SkinRegion::Rewind;
        emit rewindPressed();
    } else if (region == static_cast<int>(SkinRegion::FastForward)) {
        m_held = SkinRegion::FastForward;
        emit fastForwardPressed();
    }
}

bool SkinnedFrame::captionMayDrag() const
{
    // A press at the right edge of the caption strip grabs the edge, not the caption.
    return m_resize.edge() == EdgeResize::Edge::None;
}

void SkinnedFrame::skinMoved(QMouseEvent& event)
{
    const EdgeResize::Step step = m_resize.move(event.position().x(), event.position().y(), size());
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

void SkinnedFrame::skinReleased(QMouseEvent&, int region)
{
    m_resize.release();
    // A held button ends wherever the mouse comes up; a user who slid off it would otherwise
    // never stop seeking.
    const SkinRegion held = std::exchange(m_held, SkinRegion::None);
    if (region == static_cast<int>(SkinRegion::Rewind) || held == SkinRegion::Rewind) {
        emit rewindReleased();
    } else if (region == static_cast<int>(SkinRegion::FastForward) ||
               held == SkinRegion::FastForward) {
        emit fastForwardReleased();
    }
}

bool SkinnedFrame::skinDoubleClicked(int region)
{
    if (region == static_cast<int>(SkinRegion::TitleBar)) {
        // Straight to the other window state: neither the toggle's flag nor Minimize change.
        if (isMaximized()) {
            showNormal();
        } else {
            showMaximized();
        }
    }
    return true;
}

void SkinnedFrame::skinClicked(int hit)
{
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
    qCDebug(lcUi) << "clicked" << SkinLayout::regionName(region);
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

#include "ui/frame/FivePaneSplitter.h"

#include <QMouseEvent>
#include <algorithm>

FivePaneSplitter::FivePaneSplitter(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SSSplitMain"));
    setMouseTracking(true);
}

void FivePaneSplitter::setHost(Pane pane, QWidget* control)
{
    QWidget*& slot = m_host[index(pane)];
    if (slot == control) {
        return;
    }
    if (slot != nullptr && slot->parentWidget() == this) {
        slot->hide();
    }
    slot = control;
    if (control != nullptr) {
        for (std::size_t i = 0; i < m_host.size(); ++i) {
            if (i != index(pane) && m_host[i] == control) {
                m_host[i] = nullptr;
            }
        }
        // Shown in its pane; whoever owns the control may hide it again.
        control->setParent(this);
        control->show();
    }
    arrange();
}

void FivePaneSplitter::setPaneSize(Pane pane, int size)
{
    if (pane == Pane::Centre) {
        return;
    }
    m_size[index(pane)] = std::max(size, 0);
    arrange();
}

void FivePaneSplitter::setResizeLocks(bool locked)
{
    for (Pane pane : {Pane::Left, Pane::Right, Pane::Top, Pane::Centre}) {
        setLocked(pane, locked);
    }
}

void FivePaneSplitter::applyPlacement(const PlaylistPlacement& placed, QWidget* playlist)
{
    static constexpr Pane sides[] = {Pane::Left, Pane::Top, Pane::Bottom, Pane::Right};
    for (Pane pane : sides) {
        m_size[index(pane)] = std::max(placed.size[index(pane)], 0);
    }
    arrange();
    if (placed.clearOtherHosts) {
        for (Pane pane : sides) {
            if (static_cast<int>(pane) != placed.host) {
                setHost(pane, nullptr);
            }
        }
    }
    if (placed.host >= 0) {
        setHost(static_cast<Pane>(placed.host), playlist);
    }
    for (Pane pane : sides) {
        m_locked[index(pane)] = placed.locked[index(pane)];
    }
}

QRect FivePaneSplitter::paneRect(Pane pane) const
{
    return m_rects[index(pane)];
}

void FivePaneSplitter::arrange()
{
    const int w = width();
    const int h = height();
    const auto bar = [](int size) {
        return size > 0 ? kBar : 0;
    };
    const int left = std::min(m_size[0], w);
    const int right = std::min(m_size[4], std::max(w - left - bar(left), 0));
    const int middleLeft = left + bar(left);
    const int middleWidth = std::max(w - middleLeft - right - bar(right), 0);
    const int top = std::min(m_size[1], h);
    const int bottom = std::min(m_size[3], std::max(h - top - bar(top), 0));
    const int centreTop = top + bar(top);
    const int centreHeight = std::max(h - centreTop - bottom - bar(bottom), 0);
    const std::array<QRect, 5> rects = {
        QRect(0, 0, left, h),
        QRect(middleLeft, 0, middleWidth, top),
        QRect(middleLeft, centreTop, middleWidth, centreHeight),
        QRect(middleLeft, h - bottom, middleWidth, bottom),
        QRect(w - right, 0, right, h),
    };
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const bool changed = rects[i] != m_rects[i];
        m_rects[i] = rects[i];
        if (m_host[i] != nullptr) {
            m_host[i]->setGeometry(rects[i]);
        }
        if (changed) {
            emit paneResized(static_cast<Pane>(i));
        }
    }
}

void FivePaneSplitter::resizeEvent(QResizeEvent*)
{
    arrange();
    emit splitterResized();
}

int FivePaneSplitter::paneAtBar(QPoint p) const
{
    const auto near = [p](int from, int to, bool horizontal) {
        const int v = horizontal ? p.x() : p.y();
        return v >= from && v < to;
    };
    if (m_size[0] > 0 && near(m_rects[0].right() + 1, m_rects[2].left(), true)) {
        return 0;
    }
    if (m_size[4] > 0 && near(m_rects[2].right() + 1, m_rects[4].left(), true)) {
        return 4;
    }
    if (m_size[1] > 0 && near(m_rects[1].bottom() + 1, m_rects[2].top(), false)) {
        return 1;
    }
    if (m_size[3] > 0 && near(m_rects[2].bottom() + 1, m_rects[3].top(), false)) {
        return 3;
    }
    return -1;
}

void FivePaneSplitter::mousePressEvent(QMouseEvent* event)
{
    m_dragging = event->button() == Qt::LeftButton ? paneAtBar(event->position().toPoint()) : -1;
}

void FivePaneSplitter::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (m_dragging < 0) {
        const int bar = paneAtBar(p);
        setCursor(bar < 0 ? Qt::ArrowCursor
                          : (bar == 0 || bar == 4 ? Qt::SplitHCursor : Qt::SplitVCursor));
        return;
    }
    switch (m_dragging) {
    case 0:
        m_size[0] = std::clamp(p.x(), 0, width() - kBar);
        break;
    case 4:
        m_size[4] = std::clamp(width() - p.x() - kBar, 0, width() - kBar);
        break;
    case 1:
        m_size[1] = std::clamp(p.y(), 0, height() - kBar);
        break;
    case 3:
        m_size[3] = std::clamp(height() - p.y() - kBar, 0, height() - kBar);
        break;
    default:
        break;
    }
    arrange();
}

void FivePaneSplitter::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = -1;
}

#pragma once

#include "skin/PlaylistPlacement.h"

#include <QWidget>
#include <array>

// Five panes in a cross: left and right run the full height, top and bottom sit between them,
// the centre takes what is left. A side pane with a size has a bar the user may drag, locked or
// not: a lock only keeps the pane's size when the splitter is resized.
class FivePaneSplitter : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kBar = 4;

    explicit FivePaneSplitter(QWidget* parent = nullptr);

    // The hosted control (or none); the splitter places it over its pane.
    void setHost(Pane pane, QWidget* control);
    QWidget* host(Pane pane) const { return m_host[index(pane)]; }
    // Widths for left and right, heights for top and bottom.
    void setPaneSize(Pane pane, int size);
    int paneSize(Pane pane) const { return m_size[index(pane)]; }
    void setLocked(Pane pane, bool locked) { m_locked[index(pane)] = locked; }
    bool isLocked(Pane pane) const { return m_locked[index(pane)]; }
    QRect paneRect(Pane pane) const;
    // Every lock cleared, before panes are moved or sized.
    void clearLocks() { m_locked = {}; }
    // The locks a window resize sets afterwards: left and right widths, top and centre heights.
    void setResizeLocks(bool locked);
    // Sizes, then hosted controls (the other side panes emptied first), then locks.
    void applyPlacement(const PlaylistPlacement& placed, QWidget* playlist);

signals:
    void paneResized(Pane pane);
    void splitterResized();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static std::size_t index(Pane pane) { return static_cast<std::size_t>(pane); }
    int paneAtBar(QPoint point) const;
    void arrange();

    std::array<QWidget*, 5> m_host{};
    std::array<int, 5> m_size{};
    std::array<bool, 5> m_locked{};
    std::array<QRect, 5> m_rects{};
    int m_dragging = -1;
};

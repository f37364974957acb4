#include "ui/frame/FivePaneSplitter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

struct BarCase
{
    const char* name;
    int position;
    Pane pane;
    QPoint bar;    // a point on the bar in a 600 × 300 splitter
    QPoint moveBy; // the drag
    int size;      // the pane's size afterwards
};

// The window locks the panes after every resize; the user still drags the bar of the pane that
// holds the playlist, whichever side that is.
TEST(FivePaneSplitterTest, ThePlaylistsBarDragsWhetherItsPaneIsLockedOrNot)
{
    const std::vector<BarCase> cases = {
        {"left", 0, Pane::Left, {201, 150}, {40, 0}, 241},
        {"right", 1, Pane::Right, {397, 150}, {-50, 0}, 249},
        {"top", 2, Pane::Top, {300, 101}, {0, 30}, 131},
        {"bottom", 3, Pane::Bottom, {300, 197}, {0, -20}, 119},
    };
    for (const BarCase& c : cases) {
        for (const bool locked : {false, true}) {
            FivePaneSplitter splitter;
            QWidget playlist;
            splitter.resize(600, 300);
            splitter.applyPlacement(PlaylistPlacement::forPosition(c.position, splitter.size()),
                                    &playlist);
            splitter.setResizeLocks(locked);
            const int before = splitter.paneSize(c.pane);
            send(splitter, QEvent::MouseButtonPress, c.bar, Qt::LeftButton);
            send(splitter, QEvent::MouseMove, c.bar + c.moveBy, Qt::LeftButton);
            send(splitter, QEvent::MouseButtonRelease, c.bar + c.moveBy, Qt::NoButton);
            EXPECT_NE(before, c.size) << c.name;
            EXPECT_EQ(splitter.paneSize(c.pane), c.size) << c.name << (locked ? " locked" : "");
            EXPECT_EQ(playlist.geometry(), splitter.paneRect(c.pane)) << c.name;
        }
    }
}

TEST(FivePaneSplitterTest, APressOffTheBarOrAPaneWithoutSizeDragsNothing)
{
    FivePaneSplitter splitter;
    QWidget playlist;
    splitter.resize(600, 300);
    splitter.applyPlacement(PlaylistPlacement::forPosition(0, splitter.size()), &playlist);
    for (const QPoint at : {QPoint(150, 150), QPoint(300, 150), QPoint(597, 150)}) {
        send(splitter, QEvent::MouseButtonPress, at, Qt::LeftButton);
        send(splitter, QEvent::MouseMove, at + QPoint(-60, 0), Qt::LeftButton);
        send(splitter, QEvent::MouseButtonRelease, at + QPoint(-60, 0), Qt::NoButton);
        EXPECT_EQ(splitter.paneSize(Pane::Left), 200) << at.x();
        EXPECT_EQ(splitter.paneSize(Pane::Right), 0) << at.x();
    }
}

} // namespace

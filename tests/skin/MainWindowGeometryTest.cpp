#include "skin/MainWindowGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindowGeometry, VideoTakesTheScreenOrLeavesTheControlStrip)
{
    EXPECT_EQ(MainWindowGeometry::fullScreenVideoRect(QSize(1920, 1080), false),
              QRect(0, 0, 1920, 1080));
    EXPECT_EQ(MainWindowGeometry::fullScreenVideoRect(QSize(1920, 1080), true),
              QRect(0, 0, 1920, 1080 - 147));
}

TEST(MainWindowGeometry, IntakeCountSitsOverTheShownPlaylistsFoot)
{
    // A 600 × 500 window: its content is (15, 56) 570 × 297.
    const QRect content(15, 56, 570, 297);
    const struct
    {
        const char* name;
        QRect playlist;
        bool shown;
        QRect area;
    } cases[] = {
        {"right pane", QRect(400, 56, 185, 297), true, QRect(400, 56, 185, 297)},
        {"top pane", QRect(15, 56, 570, 99), true, QRect(15, 56, 570, 99)},
        {"hidden by the toggle", QRect(400, 56, 185, 297), false, content},
        {"closed pane", QRect(15, 56, 0, 0), true, content},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MainWindowGeometry::intakeArea(QSize(600, 500), c.playlist, c.shown), c.area)
            << c.name;
    }
}

} // namespace

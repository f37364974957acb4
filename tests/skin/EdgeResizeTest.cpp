#include "skin/EdgeResize.h"

#include <gtest/gtest.h>

namespace {

using Edge = EdgeResize::Edge;
using Pointer = EdgeResize::Pointer;

struct PressCase
{
    const char* name;
    double x, y;
    Edge edge;
};

TEST(EdgeResize, PressNearAnEdgeGrabsIt)
{
    // 400 × 500 px at 15 twips per pixel: 64 twips is 4.27 px.
    const PressCase cases[] = {
        {"middle", 200, 200, Edge::None},
        {"right edge", 396, 200, Edge::Right},
        {"just outside the tolerance", 395.7, 200, Edge::None},
        {"bottom edge", 200, 496, Edge::Bottom},
        {"corner", 398, 498, Edge::Corner},
    };
    for (const PressCase& c : cases) {
        EdgeResize resize(15, 15);
        resize.press(c.x, c.y, QSize(400, 500));
        EXPECT_EQ(resize.edge(), c.edge) << c.name;
    }
}

TEST(EdgeResize, PointerShowsTheEdgeUnderIt)
{
    EdgeResize resize(15, 15);
    EXPECT_EQ(resize.move(200, 200, QSize(400, 500)).pointer, Pointer::Arrow);
    EXPECT_EQ(resize.move(397, 200, QSize(400, 500)).pointer, Pointer::SizeWE);
    EXPECT_EQ(resize.move(200, 497, QSize(400, 500)).pointer, Pointer::SizeNS);
    EXPECT_EQ(resize.move(397, 497, QSize(400, 500)).pointer, Pointer::SizeNWSE);
    EXPECT_FALSE(resize.move(397, 497, QSize(400, 500)).size) << "nothing held";
}

TEST(EdgeResize, RightEdgeStopsAtTheMinimumUntilReleased)
{
    EdgeResize resize(15, 15);
    QSize size(400, 500);
    resize.move(398, 250, size);
    resize.press(398, 250, size);
    const struct
    {
        double x;
        int width;
    } steps[] = {{378, 380}, {358, 370}, {500, 370}, {600, 370}};
    for (const auto& step : steps) {
        const EdgeResize::Step result = resize.move(step.x, 250, size);
        if (result.size) {
            size = *result.size;
        }
        EXPECT_EQ(size.width(), step.width) << "x " << step.x;
        EXPECT_EQ(size.height(), 500) << "x " << step.x;
    }
    EXPECT_EQ(resize.edge(), Edge::None);
    resize.release();
    resize.move(368, 250, size);
    resize.press(368, 250, size);
    size = *resize.move(400, 250, size).size;
    EXPECT_EQ(size.width(), 402);
    EXPECT_EQ(resize.edge(), Edge::Right) << "a new press grabs again";
}

TEST(EdgeResize, PointerLeftOfTheWindowSnapsToTheMinimum)
{
    EdgeResize resize(15, 15);
    const QSize size(800, 500);
    resize.move(798, 250, size);
    resize.press(798, 250, size);
    const EdgeResize::Step step = resize.move(-3, 250, size);
    ASSERT_TRUE(step.size);
    EXPECT_EQ(*step.size, QSize(370, 500));
}

TEST(EdgeResize, BottomEdgeAtTheMinimumHoldsWhileTheWindowIsWide)
{
    EdgeResize resize(15, 15);
    QSize size(600, 400);
    resize.move(300, 398, size);
    resize.press(300, 398, size);
    size = *resize.move(300, 300, size).size;
    EXPECT_EQ(size, QSize(600, 370));
    EXPECT_EQ(resize.edge(), Edge::Bottom) << "width above its minimum";
    size = *resize.move(300, 450, size).size;
    EXPECT_EQ(size.height(), 520) << "the drag goes on";
}

TEST(EdgeResize, CornerStopsOnlyWhenBothAreAtTheirMinimum)
{
    EdgeResize resize(15, 15);
    QSize size(400, 400);
    resize.move(398, 398, size);
    resize.press(398, 398, size);
    size = *resize.move(300, 398, size).size;
    EXPECT_EQ(size, QSize(370, 400));
    EXPECT_EQ(resize.edge(), Edge::Corner);
    size = *resize.move(300, 300, size).size;
    EXPECT_EQ(size, QSize(370, 370));
    EXPECT_EQ(resize.edge(), Edge::None);
}

TEST(EdgeResize, SizeBeyondTheTwipsRangeIsLeftAsItWas)
{
    EdgeResize resize(15, 15);
    const QSize size(2180, 500); // 32700 twips
    resize.move(2178, 250, size);
    resize.press(2178, 250, size);
    const EdgeResize::Step step = resize.move(2188, 250, size);
    ASSERT_TRUE(step.size);
    EXPECT_EQ(*step.size, size);
}

} // namespace

#include "skin/FancyListGeometry.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

const QRect Box64(8, 10, 64, 64);

TEST(FancyListGeometryTest, FitsWidePictureByWidthAndCentresVertically)
{
    EXPECT_EQ(FancyListGeometry::fitPicture(128, 72, Box64), QRect(8, 24, 64, 36));
}

TEST(FancyListGeometryTest, FitsTallPictureByHeightAndCentresHorizontally)
{
    EXPECT_EQ(FancyListGeometry::fitPicture(72, 128, Box64), QRect(22, 10, 36, 64));
}

TEST(FancyListGeometryTest, FitsSquarePictures)
{
    EXPECT_EQ(FancyListGeometry::fitPicture(100, 100, Box64), Box64);
    // In a wider box the height limits and the picture sits in the middle.
    EXPECT_EQ(FancyListGeometry::fitPicture(100, 100, QRect(0, 0, 80, 64)), QRect(8, 0, 64, 64));
    EXPECT_EQ(FancyListGeometry::fitPicture(100, 100, QRect(0, 0, 64, 80)), QRect(0, 8, 64, 64));
}

TEST(FancyListGeometryTest, EnlargesTinyPicturesToFillTheBox)
{
    EXPECT_EQ(FancyListGeometry::fitPicture(16, 9, Box64), QRect(8, 24, 64, 36));
    EXPECT_EQ(FancyListGeometry::fitPicture(1, 1, Box64), Box64);
    EXPECT_EQ(FancyListGeometry::fitPicture(3, 2, QRect(0, 0, 64, 64)), QRect(0, 10, 64, 43));
}

TEST(FancyListGeometryTest, RoundsScaledSizeHalvesToEven)
{
    // 64 × 37 / 128 = 18.5 and 64 × 39 / 128 = 19.5.
    EXPECT_EQ(FancyListGeometry::fitPicture(128, 37, QRect(0, 0, 64, 64)).height(), 18);
    EXPECT_EQ(FancyListGeometry::fitPicture(128, 39, QRect(0, 0, 64, 64)).height(), 20);
    EXPECT_EQ(FancyListGeometry::fitPicture(37, 128, QRect(0, 0, 64, 64)).width(), 18);
}

TEST(FancyListGeometryTest, RoundsCentringOffsetHalvesToEven)
{
    // Heights 19 and 21 leave 45 and 43 pixels: offsets 22.5 and 21.5 both become 22.
    EXPECT_EQ(FancyListGeometry::fitPicture(128, 38, QRect(0, 0, 64, 64)), QRect(0, 22, 64, 19));
    EXPECT_EQ(FancyListGeometry::fitPicture(128, 42, QRect(0, 0, 64, 64)), QRect(0, 22, 64, 21));
    EXPECT_EQ(FancyListGeometry::fitPicture(42, 128, QRect(0, 0, 64, 64)), QRect(22, 0, 21, 64));
}

TEST(FancyListGeometryTest, DrawsNothingForEmptyPicturesOrBoxes)
{
    EXPECT_TRUE(FancyListGeometry::fitPicture(0, 72, Box64).isEmpty());
    EXPECT_TRUE(FancyListGeometry::fitPicture(128, 0, Box64).isEmpty());
    EXPECT_TRUE(FancyListGeometry::fitPicture(128, 72, QRect(0, 0, 0, 0)).isEmpty());
    EXPECT_TRUE(FancyListGeometry::fitPicture(128, 72, QRect(0, 0, 64, 0)).isEmpty());
    // A sliver that scales below half a pixel vanishes rather than growing.
    EXPECT_TRUE(FancyListGeometry::fitPicture(100000, 1, Box64).isEmpty());
}

TEST(FancyListGeometryTest, ScrollBarShowsOnlyWhenRowsOverflow)
{
    EXPECT_FALSE(FancyListGeometry::scrollBarVisible(0, 80, 400));
    EXPECT_EQ(FancyListGeometry::scrollMaximum(0, 80, 400), 0);
    EXPECT_FALSE(FancyListGeometry::scrollBarVisible(5, 80, 400));
    EXPECT_EQ(FancyListGeometry::scrollMaximum(5, 80, 400), 0);
    EXPECT_TRUE(FancyListGeometry::scrollBarVisible(6, 80, 400));
    EXPECT_EQ(FancyListGeometry::scrollMaximum(6, 80, 400), 80);
    EXPECT_EQ(FancyListGeometry::scrollMaximum(5, 80, 399), 1);
}

TEST(FancyListGeometryTest, ScrollRangeIsNotLimitedToSixteenBits)
{
    EXPECT_EQ(FancyListGeometry::scrollMaximum(10000, 80, 400), 799600);
    const int most = std::numeric_limits<int>::max();
    EXPECT_EQ(FancyListGeometry::scrollMaximum(most, 80, 400), most);
    EXPECT_TRUE(FancyListGeometry::scrollBarVisible(most, most, 400));
}

TEST(FancyListGeometryTest, VisibleRowsFollowOffsetAndHeight)
{
    auto rows = FancyListGeometry::visibleRows(0, 80, 400, 100);
    EXPECT_EQ(rows.first, 0);
    EXPECT_EQ(rows.last, 6);
    rows = FancyListGeometry::visibleRows(85, 80, 400, 100);
    EXPECT_EQ(rows.first, 1);
    EXPECT_EQ(rows.last, 7);
    rows = FancyListGeometry::visibleRows(799600, 80, 400, 10000);
    EXPECT_EQ(rows.first, 9995);
    EXPECT_EQ(rows.last, 9999);
    rows = FancyListGeometry::visibleRows(0, 80, 400, 3);
    EXPECT_EQ(rows.last, 2);
    rows = FancyListGeometry::visibleRows(0, 80, 400, 0);
    EXPECT_LT(rows.last, rows.first);
    rows = FancyListGeometry::visibleRows(0, 0, 400, 10);
    EXPECT_LT(rows.last, rows.first);
}

TEST(FancyListGeometryTest, RowUnderPointRoundsHalvesToEven)
{
    EXPECT_EQ(FancyListGeometry::rowAt(0, 0.0, 80, 5), 0);
    EXPECT_EQ(FancyListGeometry::rowAt(0, 79.4, 80, 5), 0);
    EXPECT_EQ(FancyListGeometry::rowAt(0, 78.5, 80, 5), 0);
    EXPECT_EQ(FancyListGeometry::rowAt(0, 79.5, 80, 5), 1);
    EXPECT_EQ(FancyListGeometry::rowAt(80, 10.0, 80, 5), 1);
    EXPECT_EQ(FancyListGeometry::rowAt(0, 399.0, 80, 5), 4);
    EXPECT_EQ(FancyListGeometry::rowAt(0, 400.0, 80, 5), -1);
    EXPECT_EQ(FancyListGeometry::rowAt(0, 10.0, 80, 0), -1);
    EXPECT_EQ(FancyListGeometry::rowAt(0, -3.0, 80, 5), -1);
    EXPECT_EQ(FancyListGeometry::rowAt(0, 10.0, 0, 5), -1);
}

TEST(FancyListGeometryTest, WheelTurnsMoveBySixteenthsWithinRange)
{
    EXPECT_EQ(FancyListGeometry::scrolledOffset(100, 120, 1000), 92); // 92.5
    EXPECT_EQ(FancyListGeometry::scrolledOffset(101, 120, 1000), 94); // 93.5
    EXPECT_EQ(FancyListGeometry::scrolledOffset(50, -120, 1000), 58); // 57.5
    EXPECT_EQ(FancyListGeometry::scrolledOffset(0, 120, 1000), 0);
    EXPECT_EQ(FancyListGeometry::scrolledOffset(995, -240, 1000), 1000);
    EXPECT_EQ(FancyListGeometry::scrolledOffset(10, -120, 0), 0);
    EXPECT_EQ(FancyListGeometry::scrolledOffset(std::numeric_limits<int>::max(),
                                                std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()),
              std::numeric_limits<int>::max());
}

TEST(FancyListGeometryTest, TextSitsRightOfThePictureBox)
{
    EXPECT_EQ(FancyListGeometry::textRect(1, 80, 0, 300, 8, true, 64),
              QRect(QPoint(80, 88), QPoint(291, 159)));
    EXPECT_EQ(FancyListGeometry::textRect(1, 80, 30, 300, 8, false, 64),
              QRect(QPoint(8, 58), QPoint(291, 129)));
}

TEST(FancyListGeometryTest, TextStopsWhereTheScrollBarBegins)
{
    const struct
    {
        int reserved;
        int right;
    } cases[] = {{0, 291}, {-5, 291}, {16, 275}, {250, 79}};
    for (const auto& c : cases) {
        EXPECT_EQ(FancyListGeometry::textRect(0, 80, 0, 300, 8, true, 64, c.reserved).right(),
                  c.right)
            << "reserved " << c.reserved;
    }
}

} // namespace

namespace {

struct DropCase
{
    const char* name;
    int offset;
    double y;
    int count;
    int slot;
};

class FancyListDropSlot : public ::testing::TestWithParam<DropCase>
{};

TEST_P(FancyListDropSlot, PicksTheNearestGapBetweenRows)
{
    const DropCase& c = GetParam();
    EXPECT_EQ(FancyListGeometry::dropSlot(c.offset, c.y, 80, c.count), c.slot);
}

INSTANTIATE_TEST_SUITE_P(Rows80, FancyListDropSlot,
                         ::testing::Values(DropCase{"topOfFirstRow", 0, 10, 5, 0},
                                           DropCase{"upperHalfOfRow2", 0, 170, 5, 2},
                                           DropCase{"lowerHalfOfRow2", 0, 230, 5, 3},
                                           // Halfway is a tie: halves go to the even gap.
                                           DropCase{"halfwayDownRow0", 0, 40, 5, 0},
                                           DropCase{"halfwayDownRow1", 0, 120, 5, 2},
                                           DropCase{"scrolled", 160, 10, 5, 2},
                                           DropCase{"aboveTheList", 0, -300, 5, 0},
                                           DropCase{"farBelowTheLastRow", 0, 5000, 5, 5},
                                           DropCase{"noRows", 0, 10, 0, -1}),
                         [](const ::testing::TestParamInfo<DropCase>& param) {
                             return param.param.name;
                         });

struct TargetCase
{
    int from;
    int slot;
    int target;
};

class FancyListMoveTarget : public ::testing::TestWithParam<TargetCase>
{};

TEST_P(FancyListMoveTarget, TakesTheRowOutBeforeCounting)
{
    const TargetCase& c = GetParam();
    EXPECT_EQ(FancyListGeometry::moveTarget(c.from, c.slot, 5), c.target)
        << "row " << c.from << " into gap " << c.slot;
}

INSTANTIATE_TEST_SUITE_P(FiveRows, FancyListMoveTarget,
                         ::testing::Values(TargetCase{2, 2, 2},  // the gap above itself
                                           TargetCase{2, 3, 2},  // the gap below itself
                                           TargetCase{2, 0, 0},  // to the top
                                           TargetCase{2, 5, 4},  // below the last row
                                           TargetCase{0, 2, 1},  // between rows 1 and 2
                                           TargetCase{4, 1, 1},  // upwards
                                           TargetCase{2, 6, 2},  // no such gap
                                           TargetCase{2, -1, 2}, // no gap at all
                                           TargetCase{5, 0, 5},  // no such row
                                           TargetCase{-1, 0, -1}));

} // namespace

TEST(FancyListGeometryTest, ADragStartsOnlyPastTheThreshold)
{
    const QPoint pressed(50, 100);
    EXPECT_FALSE(FancyListGeometry::dragStarted(pressed, {50, 100}, 10));
    EXPECT_FALSE(FancyListGeometry::dragStarted(pressed, {54, 105}, 10));
    EXPECT_TRUE(FancyListGeometry::dragStarted(pressed, {55, 105}, 10));
    EXPECT_TRUE(FancyListGeometry::dragStarted(pressed, {50, 80}, 10));
    // A threshold of nothing still needs the pointer to move.
    EXPECT_FALSE(FancyListGeometry::dragStarted(pressed, pressed, 0));
    EXPECT_TRUE(FancyListGeometry::dragStarted(pressed, {51, 100}, 0));
}

TEST(FancyListGeometryTest, ThePlayMarkTakesTheStartOfTheCaption)
{
    const auto marked = FancyListGeometry::markCaption(QRect(80, 8, 200, 72), 15);
    EXPECT_EQ(marked.mark, QRect(80, 10, 10, 10));
    EXPECT_EQ(marked.text, QRect(95, 8, 185, 72));
    // A caption box narrower than the mark: the mark shrinks to it and no text box is left.
    const auto narrow = FancyListGeometry::markCaption(QRect(80, 8, 6, 72), 15);
    EXPECT_EQ(narrow.mark.width(), 6);
    EXPECT_TRUE(narrow.text.isEmpty());
    EXPECT_LE(narrow.text.left(), 86);
    const auto empty = FancyListGeometry::markCaption(QRect(80, 8, 0, 72), 15);
    EXPECT_TRUE(empty.mark.isEmpty());
}

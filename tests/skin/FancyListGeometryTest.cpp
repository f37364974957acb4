#include "skin/FancyListGeometry.h"

#include <array>
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

TEST(FancyListGeometryTest, ADraggedRowDropsIntoTheNearestGap)
{
    // Offset, y, count and the gap, with 80-pixel rows; halves go to the even gap.
    const std::array<std::array<int, 4>, 8> gaps{{{0, 10, 5, 0},
                                                  {0, 170, 5, 2},
                                                  {0, 230, 5, 3},
                                                  {0, 40, 5, 0},
                                                  {0, 120, 5, 2},
                                                  {160, 10, 5, 2},
                                                  {0, -300, 5, 0},
                                                  {0, 5000, 5, 5}}};
    for (const auto& [offset, y, count, gap] : gaps) {
        EXPECT_EQ(FancyListGeometry::dropSlot(offset, y, 80, count), gap) << y << "+" << offset;
    }
    EXPECT_EQ(FancyListGeometry::dropSlot(0, 10, 80, 0), -1);
    // Row and gap, and where the row ends up among five; the gaps around it leave it in place.
    const std::array<std::array<int, 3>, 8> targets{
        {{2, 2, 2}, {2, 3, 2}, {2, 0, 0}, {2, 5, 4}, {0, 2, 1}, {4, 1, 1}, {2, 6, 2}, {5, 0, 5}}};
    for (const auto& [from, gap, target] : targets) {
        EXPECT_EQ(FancyListGeometry::moveTarget(from, gap, 5), target) << from << " into " << gap;
    }
}

TEST(FancyListGeometryTest, ThePlayMarkTakesTheStartOfTheCaption)
{
    const auto marked = FancyListGeometry::markCaption(QRect(80, 8, 200, 72), 15);
    EXPECT_EQ(marked.mark, QRect(80, 10, 10, 10));
    EXPECT_EQ(marked.text, QRect(95, 8, 185, 72));
    // Narrower than the mark: it shrinks to the box, and no text box is left.
    const auto narrow = FancyListGeometry::markCaption(QRect(80, 8, 6, 72), 15);
    EXPECT_EQ(narrow.mark.width(), 6);
    EXPECT_TRUE(narrow.text.isEmpty());
}

#include "playback/TimeText.h"

#include "playback/TransportArithmetic.h"

#include <gtest/gtest.h>

TEST(TimeText, HoursMinutesSecondsWithTwoDigitParts)
{
    EXPECT_EQ(TimeText::fromSeconds(3725), "01:02:05");
    EXPECT_EQ(TimeText::fromSeconds(59), "00:00:59");
    EXPECT_EQ(TimeText::fromSeconds(60), "00:01:00");
    EXPECT_EQ(TimeText::fromSeconds(0), "00:00:00");
    EXPECT_EQ(TimeText::fromSeconds(359999), "99:59:59");
    EXPECT_EQ(TimeText::fromSeconds(360000), "100:00:00");
    EXPECT_EQ(TimeText::fromSeconds(363661), "101:01:01");
    EXPECT_EQ(TimeText::fromSeconds(-1), "00:00:00");
    EXPECT_EQ(TimeText::elapsedOfTotal(0, 0), TimeText::Idle);
    EXPECT_EQ(TimeText::elapsedOfTotal(5, 3725), "00:00:05 / 01:02:05");
}

TEST(TimeText, MillisecondsRoundHalvesToEven)
{
    EXPECT_EQ(TimeText::wholeSeconds(499), 0);
    EXPECT_EQ(TimeText::wholeSeconds(500), 0);
    EXPECT_EQ(TimeText::wholeSeconds(1500), 2);
    EXPECT_EQ(TimeText::wholeSeconds(2500), 2);
    EXPECT_EQ(TimeText::wholeSeconds(2501), 3);
}

TEST(TransportArithmetic, ProgressFillStaysInsideTheBar)
{
    EXPECT_EQ(TransportArithmetic::progressFillWidth(50, 200), 100);
    EXPECT_EQ(TransportArithmetic::progressFillWidth(0, 200), 0);
    EXPECT_EQ(TransportArithmetic::progressFillWidth(100, 200), 200);
    EXPECT_EQ(TransportArithmetic::progressFillWidth(25, 10), 2); // 2.5 -> 2
    EXPECT_EQ(TransportArithmetic::progressFillWidth(150, 200), 200);
    EXPECT_EQ(TransportArithmetic::progressFillWidth(-5, 200), 0);
    EXPECT_EQ(TransportArithmetic::progressFillWidth(50, 0), 0);
}

TEST(TransportArithmetic, SeekIgnoresTheLastTwoPixels)
{
    using Seek = TransportArithmetic::Seek;
    EXPECT_EQ(TransportArithmetic::seek(98, 100), std::nullopt);
    EXPECT_EQ(TransportArithmetic::seek(99, 100), std::nullopt);
    EXPECT_EQ(TransportArithmetic::seek(120, 100), std::nullopt);
    EXPECT_EQ(TransportArithmetic::seek(97, 100), (Seek{97, 0.97}));
    EXPECT_EQ(TransportArithmetic::seek(25, 200), (Seek{25, 0.125}));
    EXPECT_EQ(TransportArithmetic::seek(0, 100), (Seek{0, 0.0}));
    EXPECT_EQ(TransportArithmetic::seek(-7, 100), (Seek{0, 0.0}));
    EXPECT_EQ(TransportArithmetic::seek(0, 0), std::nullopt);
}

TEST(TransportArithmetic, VolumeOnlyInsideItsRange)
{
    using Volume = TransportArithmetic::Volume;
    // Inner width 110: 100 pixels of travel after the margins.
    EXPECT_EQ(TransportArithmetic::volume(2, 110), std::nullopt); // left of the 3-pixel margin
    EXPECT_EQ(TransportArithmetic::volume(3, 110), (Volume{0, 0}));
    EXPECT_EQ(TransportArithmetic::volume(53, 110), (Volume{50, 50}));
    EXPECT_EQ(TransportArithmetic::volume(103, 110), (Volume{100, 100}));
    EXPECT_EQ(TransportArithmetic::volume(104, 110), std::nullopt);
    // Rounded down: 3 + 1/3 of the travel.
    EXPECT_EQ(TransportArithmetic::volume(4, 13), (Volume{1, 33}));
    EXPECT_EQ(TransportArithmetic::volume(5, 10), std::nullopt);
    EXPECT_EQ(TransportArithmetic::volume(5, 4), std::nullopt);
}

TEST(TransportArithmetic, RewindStepsBackAThousandthNotPastTheStart)
{
    EXPECT_DOUBLE_EQ(TransportArithmetic::rewindPosition(0.5), 0.499);
    EXPECT_DOUBLE_EQ(TransportArithmetic::rewindPosition(0.0005), 0.0);
    EXPECT_DOUBLE_EQ(TransportArithmetic::rewindPosition(0.0), 0.0);
}

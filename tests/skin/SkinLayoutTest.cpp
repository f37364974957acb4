#include "skin/SkinLayout.h"

#include <gtest/gtest.h>

namespace {

struct PlayLeftCase
{
    int width;
    int left;
};

TEST(SkinLayout, PlayLeftRoundsHalvesToEven)
{
    const PlayLeftCase cases[] = {{400, 166}, {401, 166}, {402, 166}, {403, 167},
                                  {70, 0},    {72, 2},    {69, 0},    {388, 160}};
    for (const PlayLeftCase& c : cases) {
        EXPECT_EQ(SkinLayout::playLeft(c.width), c.left) << "width " << c.width;
    }
}

struct HitCase
{
    const char* name;
    int index;
    QRect rect; // for W = 400, H = 515: ControlTop 368, PlayLeft 166
};

TEST(SkinLayout, HitRectsForA400By515Window)
{
    const HitCase cases[] = {
        {"Close", 0, QRect(370, 1, 23, 24)},
        {"Maximize", 1, QRect(347, 1, 23, 24)},
        {"Minimize", 2, QRect(324, 1, 22, 24)},
        {"TitleBar", 7, QRect(0, 0, 400, 31)},
        {"Play, 83 high, clickable 59", 8, QRect(166, 428, 69, 59)},
        {"Pause, 44 high, 13 trimmed", 9, QRect(235, 458, 35, 31)},
        {"Stop, 47 high, 13 trimmed", 10, QRect(130, 458, 36, 34)},
        {"Previous, 37 high, 11 trimmed", 11, QRect(42, 431, 29, 26)},
        {"Rewind", 12, QRect(71, 433, 30, 26)},
        {"Next, 34 high, 10 trimmed", 13, QRect(334, 431, 28, 24)},
        {"FastForward", 14, QRect(305, 432, 29, 26)},
        {"SnapShot, 39 high, 11 trimmed", 15, QRect(6, 400, 29, 28)},
        {"FullScreen", 16, QRect(362, 400, 30, 28)},
        {"PlayList, 31 high, 9 trimmed", 17, QRect(8, 482, 25, 22)},
        {"Dvd, 32 high, 9 trimmed", 18, QRect(45, 481, 25, 23)},
        {"Open, 30 high, 9 trimmed", 19, QRect(85, 482, 26, 21)},
        {"Sound", 20, QRect(296, 483, 23, 22)},
        {"WindowIcon, 24 high, 7 trimmed", 23, QRect(3, 3, 24, 17)},
    };
    const HitTable rects = SkinLayout::hitRects(400, 515);
    for (const HitCase& c : cases) {
        EXPECT_EQ(rects[c.index], c.rect) << c.name;
    }
    for (int never : {3, 4, 5, 6, 21, 22}) {
        EXPECT_TRUE(rects[never].isEmpty()) << "index " << never;
    }
}

struct PointCase
{
    const char* name;
    QPoint point;
    int hit;
};

TEST(SkinLayout, LowestMatchingIndexWins)
{
    const HitTable rects = SkinLayout::hitRects(400, 515);
    const PointCase cases[] = {
        {"icon inside the caption strip reports the strip", QPoint(10, 10), 7},
        {"caption button before the caption strip", QPoint(380, 10), 0},
        {"top row of Play", QPoint(200, 428), 8},
        {"last clickable row of Play", QPoint(200, 486), 8},
        {"first trimmed row of Play", QPoint(200, 487), -1},
        {"lowest drawn row of Play", QPoint(200, 510), -1},
        {"video area", QPoint(200, 200), -1},
        {"left of the window", QPoint(-1, 10), -1},
        {"right edge is exclusive", QPoint(400, 10), -1},
    };
    for (const PointCase& c : cases) {
        EXPECT_EQ(rects.hitTest(c.point), c.hit) << c.name;
    }
}

TEST(SkinLayout, TrimKeepsEmptyRectanglesEmptyAndRoundsHalvesToEven)
{
    EXPECT_TRUE(SkinLayout::trimmed(QRect()).isEmpty());
    // Heights 7 and 21 cut exactly 2 and 6; 83 cuts 23.7, rounded to 24.
    EXPECT_EQ(SkinLayout::trimmed(QRect(0, 0, 10, 7)).height(), 5);
    EXPECT_EQ(SkinLayout::trimmed(QRect(0, 0, 10, 21)).height(), 15);
    EXPECT_EQ(SkinLayout::trimmed(QRect(0, 0, 10, 83)).height(), 59);
}

TEST(SkinLayout, PiecesFollowStatesAndMute)
{
    ButtonStates states = SkinLayout::buttonStates();
    states.setState(SkinRegion::Play, ButtonState::Over);
    states.setState(SkinRegion::Sound, ButtonState::Pressed);
    const auto plain = SkinLayout::pieces(400, 515, false);
    const auto muted = SkinLayout::pieces(400, 515, true);
    ASSERT_EQ(plain.size(), std::size_t{SkinLayout::kPieceCount});
    EXPECT_EQ(plain[12].faceSlot(states), 27);
    EXPECT_EQ(plain[12].region, 8);
    EXPECT_EQ(plain[24].faceSlot(states), 148);
    EXPECT_EQ(muted[24].faceSlot(states), 158);
    EXPECT_EQ(muted[24].region, 20) << "muted Sound still reports 20";
    EXPECT_EQ(plain[1].faceSlot(states), 15) << "the caption strip has one face";
    // Stacking order: frame first, buttons on top; nothing tiles.
    EXPECT_EQ(plain[0].slot, 17);
    EXPECT_EQ(plain[8].rect, QRect(342, 368, 58, 147));
    EXPECT_EQ(plain[3].rect, QRect(15, 56, 370, 312));
    EXPECT_EQ(plain[12].rect, QRect(166, 428, 69, 83)) << "drawn untrimmed";
}

struct ControlCase
{
    int playState;
    ButtonState play, pause, stop, others;
};

TEST(SkinLayout, EnableMediaControlAppliesItsTableInFull)
{
    constexpr ButtonState N = ButtonState::Normal;
    constexpr ButtonState D = ButtonState::Disabled;
    const ControlCase cases[] = {
        {0, D, N, N, N}, {1, N, D, D, D}, {2, N, D, N, D}, {7, D, D, D, D}, {-1, D, D, D, D},
    };
    for (const ControlCase& c : cases) {
        ButtonStates s = SkinLayout::buttonStates();
        for (int i = 0; i < SkinLayout::kHitCount; ++i) {
            s.setState(i, ButtonState::Pressed);
        }
        SkinLayout::enableMediaControl(s, c.playState);
        EXPECT_EQ(s.state(8), c.play) << "state " << c.playState;
        EXPECT_EQ(s.state(9), c.pause) << "state " << c.playState;
        EXPECT_EQ(s.state(10), c.stop) << "state " << c.playState;
        for (int i = 11; i <= 16; ++i) {
            EXPECT_EQ(s.state(i), c.others) << "state " << c.playState << " button " << i;
        }
        for (int i : {0, 1, 2, 17, 18, 19, 20}) {
            EXPECT_EQ(s.state(i), ButtonState::Pressed) << "untouched " << i;
        }
    }
}

TEST(SkinLayout, EveryRegionHasALogName)
{
    for (int i = 0; i < SkinLayout::kHitCount; ++i) {
        const bool filled = !SkinLayout::hitRects(400, 515)[i].isEmpty();
        EXPECT_EQ(std::string(SkinLayout::regionName(static_cast<SkinRegion>(i))).empty(), !filled)
            << i;
    }
    EXPECT_STREQ(SkinLayout::regionName(SkinRegion::FastForward), "FastForward");
}

} // namespace

TEST(SkinLayout, TheRateReadoutNeverCoversTheTimeText)
{
    const struct
    {
        const char* name;
        int width;
        QSize rate;
        QRect time;
        QPoint expected;
    } cases[] = {
        {"wide window: its own place", 800, {100, 15}, {330, 383, 140, 15}, {60, 383}},
        {"touching the gap stays", 400, {62, 15}, {130, 383, 140, 15}, {60, 383}},
        {"moved left to clear the time", 400, {100, 15}, {130, 383, 140, 15}, {22, 383}},
        {"no room left of it: the line above", 300, {100, 15}, {80, 383, 140, 15}, {60, 368}},
        {"no time text: its own place", 300, {100, 15}, {}, {60, 383}},
    };
    for (const auto& c : cases) {
        const QPoint at = SkinLayout::rateLabelPosition(c.width, 515, c.rate, c.time);
        EXPECT_EQ(at, c.expected) << c.name;
        if (!c.time.isEmpty()) {
            EXPECT_FALSE(QRect(at, c.rate).intersects(c.time)) << c.name;
        }
    }
}

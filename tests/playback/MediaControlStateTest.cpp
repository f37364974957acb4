#include "playback/MediaControlState.h"

#include <gtest/gtest.h>

namespace {

constexpr int N = MediaControlState::ButtonNormal;
constexpr int X = MediaControlState::ButtonDisabled;

std::vector<int> buttons(const MediaControlState& s)
{
    std::vector<int> result;
    for (int hit = MediaControlState::PlayButton; hit <= MediaControlState::FullScreenButton; ++hit)
        result.push_back(s.buttonState(hit));
    return result;
}

} // namespace

TEST(MediaControlState, PlayingState)
{
    const auto s = MediaControlState::enableMediaControl(0);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->flags(), (TransportFlags{true, false, false}));
    EXPECT_EQ(buttons(*s), (std::vector<int>{X, N, N, N, N, N, N, N, N}));
}

TEST(MediaControlState, StoppedStateSetsPausedToo)
{
    const auto s = MediaControlState::enableMediaControl(1);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->flags(), (TransportFlags{false, true, true}));
    EXPECT_EQ(buttons(*s), (std::vector<int>{N, X, X, X, X, X, X, X, X}));
}

TEST(MediaControlState, PausedState)
{
    const auto s = MediaControlState::enableMediaControl(2);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->flags(), (TransportFlags{false, true, false}));
    EXPECT_EQ(buttons(*s), (std::vector<int>{N, X, N, X, X, X, X, X, X}));
}

TEST(MediaControlState, OtherNumbersAndHitsAreNotGoverned)
{
    EXPECT_FALSE(MediaControlState::enableMediaControl(3));
    EXPECT_FALSE(MediaControlState::enableMediaControl(-1));
    const auto s = MediaControlState::enableMediaControl(0);
    EXPECT_EQ(s->buttonState(7), -1);
    EXPECT_EQ(s->buttonState(17), -1);
}

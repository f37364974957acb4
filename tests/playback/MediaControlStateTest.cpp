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
    for (const QString& key : MediaControlState::menuKeys())
        EXPECT_TRUE(s->menuEnabled(key)) << key.toStdString();
    EXPECT_EQ(buttons(*s), (std::vector<int>{X, N, N, N, N, N, N, N, N}));
}

TEST(MediaControlState, StoppedStateSetsPausedToo)
{
    const auto s = MediaControlState::enableMediaControl(1);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->flags(), (TransportFlags{false, true, true}));
    for (const QString& key : MediaControlState::menuKeys())
        EXPECT_FALSE(s->menuEnabled(key)) << key.toStdString();
    EXPECT_EQ(buttons(*s), (std::vector<int>{N, X, X, X, X, X, X, X, X}));
}

TEST(MediaControlState, PausedState)
{
    const auto s = MediaControlState::enableMediaControl(2);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->flags(), (TransportFlags{false, true, false}));
    for (const QString& key : MediaControlState::menuKeys())
        EXPECT_TRUE(s->menuEnabled(key)) << key.toStdString();
    EXPECT_EQ(buttons(*s), (std::vector<int>{N, X, N, X, X, X, X, X, X}));
}

TEST(MediaControlState, OtherNumbersAndKeysAreNotGoverned)
{
    EXPECT_FALSE(MediaControlState::enableMediaControl(3));
    EXPECT_FALSE(MediaControlState::enableMediaControl(-1));
    const auto s = MediaControlState::enableMediaControl(0);
    EXPECT_EQ(MediaControlState::menuKeys(),
              QStringList({"Stop", "FullScreen", "IncreaseSpeed", "DecreaseSpeed", "ResetSpeed"}));
    EXPECT_FALSE(s->governsMenu("stop"));
    EXPECT_FALSE(s->menuEnabled("PlayPause"));
    EXPECT_EQ(s->buttonState(7), -1);
    EXPECT_EQ(s->buttonState(17), -1);
}

#include "playback/PlaybackMonitor.h"

#include "playback/MediaControlState.h"

#include <gtest/gtest.h>

namespace {

using Input = PlaybackMonitor::Input;
using RateLabel = PlaybackMonitor::RateLabel;

constexpr TransportFlags Playing{true, false, false};

Input playing(int state, qint64 timeMs, qint64 lengthMs, bool reachedPlaying = true)
{
    Input in;
    in.enginePresent = true;
    in.flags = Playing;
    in.state = state;
    in.timeMs = timeMs;
    in.lengthMs = lengthMs;
    in.position = lengthMs > 0 ? static_cast<double>(timeMs) / lengthMs : 0.0;
    in.reachedPlaying = reachedPlaying;
    in.engineHasMedia = true;
    return in;
}

Input idle(TransportFlags flags)
{
    Input in;
    in.enginePresent = true;
    in.flags = flags;
    in.state = Engine::Ended;
    in.engineHasMedia = true;
    return in;
}

} // namespace

TEST(PlaybackMonitorShow, NothingWithoutAnEngine)
{
    Input in = playing(6, 3000, 3000);
    in.enginePresent = false;
    PlaybackMonitor::Outcome expected;
    expected.reachedPlaying = true;
    EXPECT_EQ(PlaybackMonitor::tick(in), expected);
}

TEST(PlaybackMonitorShow, LoadingUntilPlayingThenProgressAndTime)
{
    auto out = PlaybackMonitor::tick(playing(1, 0, 0, false));
    EXPECT_EQ(out.rateLabel, RateLabel::ShowLoading);
    EXPECT_FALSE(out.progressPercent);
    EXPECT_EQ(out.timeText, "00:00:00 / 00:00:00");
    EXPECT_FALSE(out.reachedPlaying);
    EXPECT_FALSE(out.finished);

    out = PlaybackMonitor::tick(playing(3, 150000, 600000, false));
    EXPECT_EQ(out.rateLabel, RateLabel::Hide);
    EXPECT_EQ(out.progressPercent, 25);
    EXPECT_EQ(out.timeText, "00:02:30 / 00:10:00");
    EXPECT_TRUE(out.reachedPlaying);

    // The paused engine state is 4: still at or above 3, so the rate label stays hidden.
    EXPECT_EQ(PlaybackMonitor::tick(playing(4, 0, 1000)).rateLabel, RateLabel::Hide);
}

TEST(PlaybackMonitorShow, UnansweredValuesLeaveTheirStepsOut)
{
    Input in = playing(3, 1000, 2000);
    in.state.reset();
    in.position.reset();
    in.lengthMs = -1;
    const auto out = PlaybackMonitor::tick(in);
    EXPECT_EQ(out.rateLabel, RateLabel::Unchanged);
    EXPECT_FALSE(out.progressPercent);
    EXPECT_FALSE(out.timeText);
    EXPECT_FALSE(out.finished);
}

TEST(PlaybackMonitorEnd, TenMinuteFileFinishesWhenRoundedSecondsMeetTheTotal)
{
    EXPECT_EQ(PlaybackMonitor::tick(playing(3, 0, 600000)).timeText, "00:00:00 / 00:10:00");
    auto out = PlaybackMonitor::tick(playing(3, 599499, 600000));
    EXPECT_FALSE(out.finished);
    EXPECT_EQ(out.timeText, "00:09:59 / 00:10:00");
    out = PlaybackMonitor::tick(playing(3, 599500, 600000)); // 599.5 rounds to the even 600
    EXPECT_TRUE(out.finished);
    EXPECT_EQ(out.timeText, "00:10:00 / 00:10:00");
    EXPECT_FALSE(out.moveOn);
}

TEST(PlaybackMonitorEnd, NeverBeforeTheEngineHasPlayed)
{
    // A fresh engine may still hold numbers that look like an end.
    EXPECT_FALSE(PlaybackMonitor::tick(playing(1, 3000, 3000, false)).finished);
    EXPECT_FALSE(PlaybackMonitor::tick(playing(2, 0, 0, false)).finished);
    // The same numbers once the engine plays do end it.
    EXPECT_TRUE(PlaybackMonitor::tick(playing(3, 3000, 3000, false)).finished);
}

TEST(PlaybackMonitorEnd, UnknownOrZeroLengthNeverEndsByTime)
{
    EXPECT_FALSE(PlaybackMonitor::tick(playing(3, 400, 400)).finished); // total rounds to 0
    EXPECT_FALSE(PlaybackMonitor::tick(playing(3, 5000, -1)).finished);
    Input in = playing(3, 5000, 5000);
    in.timeMs.reset();
    EXPECT_FALSE(PlaybackMonitor::tick(in).finished);
}

TEST(PlaybackMonitorEnd, EngineEndOrErrorFinishesAnItemStoppingShortOfItsLength)
{
    // The last time libVLC reports can stop about a second short of the rounded length.
    EXPECT_FALSE(PlaybackMonitor::tick(playing(3, 2400, 3000)).finished);
    EXPECT_TRUE(PlaybackMonitor::tick(playing(6, 2400, 3000)).finished);
    EXPECT_TRUE(PlaybackMonitor::tick(playing(7, 0, -1, false)).finished);
}

TEST(PlaybackMonitorEnd, StoppedAfterAnEndIsAnEndNotTheUsersStop)
{
    EXPECT_TRUE(PlaybackMonitor::tick(playing(5, 2400, 3000)).finished);
    // Not yet played: a stopped engine is one still being started (a replay or resume).
    EXPECT_FALSE(PlaybackMonitor::tick(playing(5, 2400, 3000, false)).finished);
    EXPECT_FALSE(PlaybackMonitor::tick(playing(5, 0, 3000, false)).reachedPlaying);
    EXPECT_TRUE(PlaybackMonitor::tick(playing(4, 0, 3000, false)).reachedPlaying);
    // The user's stop in progress: the Stopped flag is set before the stopped state is entered.
    Input in = playing(5, 3000, 3000);
    in.flags.stopped = true;
    EXPECT_FALSE(PlaybackMonitor::tick(in).finished);
    in.state = 6;
    EXPECT_FALSE(PlaybackMonitor::tick(in).finished);
}

TEST(PlaybackMonitorMoveOn, OnlyAfterAnItemFinishedByItself)
{
    auto out = PlaybackMonitor::tick(idle({false, false, false}));
    EXPECT_TRUE(out.moveOn);
    EXPECT_TRUE(out.enableDvdCheck);
    EXPECT_EQ(out.rateLabel, RateLabel::Unchanged);
    EXPECT_FALSE(out.timeText);
}

TEST(PlaybackMonitorMoveOn, PausedStoppedOrNeverStartedStays)
{
    const auto stopped = MediaControlState::enableMediaControl(MediaControlState::Stopped)->flags();
    const auto paused = MediaControlState::enableMediaControl(MediaControlState::Paused)->flags();
    auto out = PlaybackMonitor::tick(idle(paused));
    EXPECT_FALSE(out.moveOn);
    EXPECT_FALSE(out.enableDvdCheck);
    out = PlaybackMonitor::tick(idle(stopped));
    EXPECT_FALSE(out.moveOn);
    EXPECT_FALSE(out.enableDvdCheck);
    // A stop command that has stopped the engine but not yet entered the stopped state.
    EXPECT_FALSE(PlaybackMonitor::tick(idle({false, false, true})).moveOn);
}

TEST(PlaybackMonitorMoveOn, DiscOrEmptyEngineNeverMovesOn)
{
    Input in = idle({false, false, false});
    in.currentIsDvdDrive = true;
    auto out = PlaybackMonitor::tick(in);
    EXPECT_FALSE(out.moveOn);
    EXPECT_TRUE(out.enableDvdCheck);
    in = idle({false, false, false});
    in.engineHasMedia = false;
    EXPECT_FALSE(PlaybackMonitor::tick(in).moveOn);
}

TEST(PlaybackMonitorMoveOn, ItemLifeAcrossTicks)
{
    // Engine state, time as the engine reports a 3-second clip, ending short of the length.
    const std::vector<std::pair<int, qint64>> ticks = {
        {0, -1}, {1, 0}, {3, 250}, {3, 750}, {3, 1250}, {3, 1750}, {3, 2250}, {6, 2400}, {5, 0}};
    TransportFlags flags = Playing;
    bool reached = false;
    int finishedAt = -1;
    int movedOnAt = -1;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        Input in = playing(ticks[i].first, ticks[i].second, 3000, reached);
        in.flags = flags;
        const auto out = PlaybackMonitor::tick(in);
        reached = out.reachedPlaying;
        if (out.finished) {
            finishedAt = static_cast<int>(i);
            flags.mediaActive = false;
        }
        if (out.moveOn) {
            movedOnAt = static_cast<int>(i);
            break;
        }
    }
    EXPECT_EQ(finishedAt, 7);
    EXPECT_EQ(movedOnAt, 8);
}

TEST(PlaybackMonitorWatch, RunsOnlyWhileSomethingCanMove)
{
    const TransportFlags pausedFlags{false, true, false};
    const TransportFlags stoppedFlags{false, true, true};
    const TransportFlags finishedFlags{false, false, false};
    Input noEngine = playing(Engine::Playing, 1000, 9000);
    noEngine.enginePresent = false;
    Input disc = idle(finishedFlags);
    disc.currentIsDvdDrive = true;
    Input empty = idle(finishedFlags);
    empty.engineHasMedia = false;
    Input unanswered = playing(Engine::Playing, 1000, 9000);
    unanswered.state.reset();
    const struct
    {
        const char* name;
        Input input;
        bool wanted;
    } cases[] = {
        {"playing", playing(Engine::Playing, 1000, 9000), true},
        {"opening", playing(Engine::Opening, 0, 0, false), true},
        {"engine paused under a playing transport", playing(Engine::Paused, 1000, 9000), false},
        {"engine ended, the end not yet seen", playing(Engine::Ended, 9000, 9000), true},
        {"engine without an answer", unanswered, true},
        {"no engine", noEngine, false},
        {"paused", idle(pausedFlags), false},
        {"stopped", idle(stoppedFlags), false},
        {"finished, to move on", idle(finishedFlags), true},
        {"finished disc", disc, false},
        {"finished with nothing in the engine", empty, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PlaybackMonitor::wanted(c.input), c.wanted);
        // Nothing a sleeping timer would have missed: no end and no move on.
        if (!c.wanted && !c.input.flags.mediaActive) {
            const PlaybackMonitor::Outcome outcome = PlaybackMonitor::tick(c.input);
            EXPECT_FALSE(outcome.moveOn);
            EXPECT_FALSE(outcome.finished);
        }
    }
}

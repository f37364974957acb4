#include "playback/ResumeTracker.h"

#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playlist/PlaylistModel.h"
#include "playlist/ResumePoints.h"
#include "settings/SettingsStore.h"
#include "system/FakePowerControl.h"
#include "system/FakeUserStore.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr double Hour = 3600000.0;

// A session over a fake engine with two files, and the tracker that remembers their places.
class ResumeTrackerTest : public ::testing::Test
{
protected:
    ResumeTrackerTest()
    {
        session.applyEngineSettings();
        playlist.append(PlaylistEntry{"a.mkv", {}, "/m/a.mkv", {}});
        playlist.append(PlaylistEntry{"b.mkv", {}, "/m/b.mkv", {}});
    }

    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }

    void play(int index)
    {
        playlist.select(index);
        session.playEntry(index, false);
    }

    // The engine plays at timeMs of lengthMs, and the monitor reads it.
    void runTo(double timeMs, double lengthMs = Hour)
    {
        engine().fakeLength = lengthMs;
        engine().fakeTime = timeMs;
        engine().fakePosition = timeMs / lengthMs;
        if (engine().fakeState != Engine::Playing) {
            engine().fireState(Engine::Playing);
        }
        session.monitorTick();
    }

    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
    FakeUserStore store;
    ResumePoints points{store};
    ResumeTracker tracker{session, points};
};

} // namespace

TEST_F(ResumeTrackerTest, AStopKeepsThePlaceOnlyMoreThan10sFromEitherEnd)
{
    // Time and length in ms, and whether the place is kept.
    const std::tuple<double, double, bool> cases[] = {{15000, Hour, true},  {10000, Hour, false},
                                                      {10001, Hour, true},  {50000, 60000, false},
                                                      {49000, 60000, true}, {10500, 20000, false}};
    for (const auto& [time, length, kept] : cases) {
        play(0);
        runTo(time, length);
        session.stop();
        EXPECT_EQ(points.position("/m/a.mkv"),
                  kept ? std::optional<qint64>(static_cast<qint64>(time)) : std::nullopt)
            << time << " of " << length;
    }
}

TEST_F(ResumeTrackerTest, PlayingAgainSeeksThereOnceTheLengthIsKnown)
{
    play(0);
    runTo(15000);
    session.stop();
    play(0);
    // Playing without a length yet: a seek now would be lost.
    engine().fireState(Engine::Playing);
    EXPECT_EQ(engine().callCount("setPosition"), 0);
    runTo(400);
    ASSERT_EQ(engine().callCount("setPosition"), 1);
    EXPECT_DOUBLE_EQ(engine().fakePosition, 15000 / Hour);
    EXPECT_EQ(tracker.pendingResume(), std::nullopt);
}

TEST_F(ResumeTrackerTest, ReachingTheEndForgetsThePlace)
{
    points.remember("/m/a.mkv", 20000);
    play(0);
    runTo(100, 60000); // sought to 20 s
    runTo(59500, 60000);
    engine().fireEnded();
    session.monitorTick();
    EXPECT_EQ(points.position("/m/a.mkv"), std::nullopt);
}

TEST_F(ResumeTrackerTest, StoppedBeforeTheSeekOrAfterTheEngineForgotItsTimeKeepsThePlace)
{
    points.remember("/m/a.mkv", 20000);
    play(0);
    session.stop(); // the engine never reached playing
    EXPECT_EQ(points.position("/m/a.mkv"), 20000);

    play(1);
    runTo(15000);
    engine().fakeTime = 0; // a stopped engine reports no time
    engine().fakeState = Engine::Stopped;
    session.stop();
    EXPECT_EQ(points.position("/m/b.mkv"), 15000);
}

TEST_F(ResumeTrackerTest, AnotherItemOrTheEndOfTheProgramLeavesTheCurrentOne)
{
    play(0);
    runTo(90000);
    play(1); // next, a double-click, a history item: a is left at 90 s
    EXPECT_EQ(points.position("/m/a.mkv"), 90000);
    runTo(125000);
    tracker.leave();
    EXPECT_EQ(points.points().front(), (ResumePoints::Point{"/m/b.mkv", 125000}));
    // A stop after the shutdown's leave changes nothing more.
    session.stop();
    EXPECT_EQ(points.points().size(), 2);
}

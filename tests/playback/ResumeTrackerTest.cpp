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

constexpr double Minute = 60000.0;

// A session over a fake engine with two files, and the tracker that remembers their places.
class ResumeTrackerTest : public ::testing::Test
{
protected:
    ResumeTrackerTest()
    {
        session.applyEngineSettings();
        for (const char* name : {"a.mkv", "b.mkv"}) {
            playlist.append(PlaylistEntry{name, {}, QString("/m/") + name, {}});
        }
        points.load();
    }

    static SettingsEnvironment environment()
    {
        SettingsEnvironment env;
        env.picturesFolder = "/home/me/Pictures";
        return env;
    }

    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }

    void play(int index)
    {
        playlist.select(index);
        session.rebuildSequence();
        session.playEntry(index, false);
    }

    // The engine plays at timeMs of lengthMs, and the monitor reads it.
    void runTo(double timeMs, double lengthMs)
    {
        engine().fakeLength = lengthMs;
        engine().fakeTime = timeMs;
        engine().fakePosition = timeMs / lengthMs;
        if (engine().fakeState != Engine::Playing) {
            engine().fireState(Engine::Playing);
        }
        session.monitorTick();
    }

    SettingsStore settings{environment()};
    FakePowerControl power;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
    FakeUserStore store;
    ResumePoints points{store};
    ResumeTracker tracker{session, points};
};

struct LeftCase
{
    const char* name;
    double timeMs;
    double lengthMs;
    bool kept;
};

class ResumeTrackerStop : public ResumeTrackerTest, public ::testing::WithParamInterface<LeftCase>
{};

} // namespace

// Stopped at a place: kept only more than 10 s in and more than 10 s before the end.
TEST_P(ResumeTrackerStop, KeepsThePlaceOnlyWellInsideTheItem)
{
    const LeftCase& c = GetParam();
    play(0);
    runTo(c.timeMs, c.lengthMs);
    session.stop();
    if (c.kept) {
        EXPECT_EQ(points.position("/m/a.mkv"), static_cast<qint64>(c.timeMs));
    } else {
        EXPECT_EQ(points.position("/m/a.mkv"), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ResumeTrackerStop,
                         ::testing::Values(LeftCase{"at15s", 15000, 30 * Minute, true},
                                           LeftCase{"atExactly10s", 10000, 30 * Minute, false},
                                           LeftCase{"justPast10s", 10001, 30 * Minute, true},
                                           LeftCase{"exactly10sBeforeTheEnd", 50000, 60000, false},
                                           LeftCase{"11sBeforeTheEnd", 49000, 60000, true},
                                           LeftCase{"aClipOf20s", 10500, 20000, false}),
                         [](const ::testing::TestParamInfo<LeftCase>& param) {
                             return param.param.name;
                         });

TEST_F(ResumeTrackerTest, PlayingAgainSeeksToTheKeptPlaceOnceTheItemPlays)
{
    play(0);
    runTo(15000, 30 * Minute);
    session.stop();

    play(0);
    EXPECT_EQ(tracker.pendingResume(), 15000);
    // Before the engine plays, a seek would be lost.
    EXPECT_EQ(engine().callCount("setPosition"), 0);
    engine().fakeLength = 30 * Minute;
    engine().fireState(Engine::Playing);
    ASSERT_EQ(engine().callCount("setPosition"), 1);
    EXPECT_DOUBLE_EQ(engine().fakePosition, 15000 / (30 * Minute));
    EXPECT_EQ(tracker.pendingResume(), std::nullopt);
}

TEST_F(ResumeTrackerTest, ALengthThatComesLateIsWaitedFor)
{
    points.remember("/m/a.mkv", 20000);
    play(0);
    engine().fireState(Engine::Playing); // no length yet
    EXPECT_EQ(engine().callCount("setPosition"), 0);
    runTo(400, 30 * Minute);
    EXPECT_EQ(engine().callCount("setPosition"), 1);
}

TEST_F(ResumeTrackerTest, ReachingTheEndForgetsThePlace)
{
    points.remember("/m/a.mkv", 20000);
    play(0);
    runTo(100, Minute); // the seek to 20 s
    runTo(59500, Minute);
    engine().fireEnded();
    session.monitorTick();
    EXPECT_EQ(points.position("/m/a.mkv"), std::nullopt);
}

TEST_F(ResumeTrackerTest, StoppedBeforeTheSeekKeepsTheOldPlace)
{
    points.remember("/m/a.mkv", 20000);
    play(0);
    session.stop(); // the engine never reached playing
    EXPECT_EQ(points.position("/m/a.mkv"), 20000);
}

TEST_F(ResumeTrackerTest, AnotherItemOrTheEndOfTheProgramLeavesTheCurrentOne)
{
    play(0);
    runTo(90000, 30 * Minute);
    play(1); // next, a double-click, a history item: a leaves at 90 s
    EXPECT_EQ(points.position("/m/a.mkv"), 90000);
    runTo(5000, 30 * Minute);
    runTo(125000, 30 * Minute);
    tracker.leave();
    EXPECT_EQ(points.position("/m/b.mkv"), 125000);
    // Both are kept, the newest first, in one store.
    ASSERT_EQ(points.points().size(), 2);
    EXPECT_EQ(points.points().front().path, "/m/b.mkv");
    // Leaving twice (a shutdown after a stop) changes nothing more.
    tracker.leave();
    session.stop();
    EXPECT_EQ(points.position("/m/b.mkv"), 125000);
}

TEST_F(ResumeTrackerTest, LeftNearTheStartForgetsAnOlderPlace)
{
    points.remember("/m/a.mkv", 20000);
    play(0);
    runTo(100, 30 * Minute);
    EXPECT_EQ(engine().callCount("setPosition"), 1);
    // The user went back to the start and stopped there.
    engine().fakeTime = 3000;
    engine().fakePosition = 3000 / (30 * Minute);
    session.monitorTick();
    session.stop();
    EXPECT_EQ(points.position("/m/a.mkv"), std::nullopt);
}

TEST_F(ResumeTrackerTest, APlaceBeyondTheFileAsItIsNowIsForgotten)
{
    // The file was replaced by a shorter one since its place was kept.
    points.remember("/m/a.mkv", 25 * Minute);
    play(0);
    runTo(100, 2 * Minute);
    EXPECT_EQ(engine().callCount("setPosition"), 0);
    EXPECT_EQ(points.position("/m/a.mkv"), std::nullopt);
}

TEST_F(ResumeTrackerTest, ReadingsOfAStoppedEngineAreNotPlaces)
{
    play(0);
    runTo(15000, 30 * Minute);
    session.pause();
    engine().fireState(Engine::Paused);
    // The engine forgets its time when it stops; the place read before stays.
    engine().fakeTime = 0;
    engine().fakeState = Engine::Stopped;
    session.stop();
    EXPECT_EQ(points.position("/m/a.mkv"), 15000);
}

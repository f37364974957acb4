#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/FakePowerControl.h"

#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// When the monitor's timer runs: only while something can move. Paused, stopped or idle it
// sleeps, and commands or the engine's own notifications wake it.
namespace {

// Public: the steps of the table drive the fixture.
class MonitorSleepTest : public ::testing::Test
{
public:
    MonitorSleepTest()
    {
        session.applyEngineSettings();
        for (const char* name : {"a.mkv", "b.mkv"}) {
            playlist.append(PlaylistEntry{name, {}, QString("/m/") + name, {}});
        }
        session.setPlayMode(PlayMode::Continuous);
        session.setRepeatMode(RepeatMode::NoRepeat);
    }

    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }

    void play(int index)
    {
        playlist.select(index);
        session.rebuildSequence();
        session.playEntry(index, false);
    }

    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
};

TEST_F(MonitorSleepTest, IdleBeforeAnythingPlays)
{
    EXPECT_FALSE(session.isMonitoring()) << "no engine yet";
    session.createPlayer();
    session.enableMediaControl(MediaControlState::Stopped);
    EXPECT_FALSE(session.isMonitoring()) << "an engine with nothing loaded";
    engine().fireState(Engine::Stopped);
    EXPECT_FALSE(session.isMonitoring()) << "a stopped engine's word does not wake it";
}

struct Step
{
    const char* name;
    std::function<void(MonitorSleepTest&)> act;
    bool monitoring;
};

TEST_F(MonitorSleepTest, FollowsTheTransportAndTheEngine)
{
    const Step steps[] = {
        {"item started, engine still opening", [](auto&) {}, true},
        {"engine plays", [](auto& t) { t.engine().fireState(Engine::Playing); }, true},
        {"user pauses", [](auto& t) { t.session.pause(); }, false},
        {"engine confirms the pause", [](auto& t) { t.engine().fireState(Engine::Paused); }, false},
        {"an engine that ends while paused moves nothing on",
         [](auto& t) { t.engine().fireState(Engine::Ended); }, false},
        {"engine back to paused", [](auto& t) { t.engine().fireState(Engine::Paused); }, false},
        {"user resumes, engine not yet playing", [](auto& t) { t.session.pause(); }, false},
        {"engine's playing notification wakes it",
         [](auto& t) { t.engine().fireState(Engine::Playing); }, true},
        {"engine pauses by itself", [](auto& t) { t.engine().fireState(Engine::Paused); }, false},
        {"engine plays again", [](auto& t) { t.engine().fireState(Engine::Playing); }, true},
        {"user stops", [](auto& t) { t.session.stop(); }, false},
        {"engine confirms the stop", [](auto& t) { t.engine().fireState(Engine::Stopped); }, false},
        {"play after stop", [](auto& t) { t.session.play(); }, true},
    };
    play(0);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(*this);
        EXPECT_EQ(session.isMonitoring(), step.monitoring);
    }
}

TEST_F(MonitorSleepTest, KeepsWatchingFromTheEndOfAnItemToTheNextOne)
{
    play(0);
    engine().fakeLength = 3000;
    engine().fakeTime = 3000;
    engine().fireState(Engine::Playing);
    engine().fireEnded();
    session.monitorTick();
    ASSERT_FALSE(session.flags().mediaActive);
    EXPECT_TRUE(session.isMonitoring()) << "the next tick moves on";
    session.monitorTick();
    EXPECT_EQ(session.currentFile(), "/m/b.mkv");
    EXPECT_TRUE(session.isMonitoring());
}

TEST_F(MonitorSleepTest, LastItemOverSleepsAndAsksForTheDiscWatchOnce)
{
    play(1);
    engine().fireState(Engine::Playing);
    engine().fireEnded();
    QSignalSpy discWatch(&session, &PlaybackSession::dvdCheckWanted);
    session.monitorTick(); // finished
    session.monitorTick(); // no next entry: stop, asking for the disc watch as it goes
    EXPECT_TRUE(session.flags().stopped);
    EXPECT_FALSE(session.isMonitoring());
    EXPECT_EQ(discWatch.count(), 1) << "stopped: not asked again as it falls asleep";
}

TEST_F(MonitorSleepTest, AFinishedDiscSleepsButLeavesTheDiscWatchOn)
{
    play(0);
    session.setCurrentDrive("/dev/sr0");
    engine().fireState(Engine::Playing);
    engine().fireEnded();
    QSignalSpy discWatch(&session, &PlaybackSession::dvdCheckWanted);
    session.monitorTick();
    EXPECT_FALSE(session.flags().mediaActive);
    EXPECT_FALSE(session.isMonitoring()) << "a disc never moves on by itself";
    EXPECT_EQ(discWatch.count(), 1);
}

TEST_F(MonitorSleepTest, ReleasedEngineStopsTheWatch)
{
    play(0);
    ASSERT_TRUE(session.isMonitoring());
    session.releasePlayer();
    EXPECT_FALSE(session.isMonitoring());
}

} // namespace

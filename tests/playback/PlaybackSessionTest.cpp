#include "playback/PlaybackSession.h"

#include "playback/FakeEngine.h"
#include "playback/TimeText.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/FakePowerControl.h"

#include <QPointer>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

class PlaybackSessionTest : public ::testing::Test
{
protected:
    PlaybackSessionTest()
    {
        session.applyEngineSettings();
        session.setRandomSource(PlaySequence::seededRandomSource(1));
        for (const char* name : {"a.mkv", "b.mkv", "c.mkv"}) {
            playlist.append(PlaylistEntry{name, {}, QString("/m/") + name, {}});
        }
    }

    static SettingsEnvironment environment()
    {
        SettingsEnvironment env;
        env.picturesFolder = "/home/me/Pictures";
        return env;
    }

    void setModes(int play, int repeat)
    {
        session.setPlayMode(static_cast<PlayMode>(play));
        session.setRepeatMode(static_cast<RepeatMode>(repeat));
    }

    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }

    void playSelected(int index)
    {
        playlist.select(index);
        session.rebuildSequence();
        session.playEntry(index, false);
    }

    // The engine reached playing and ran to the given time.
    void runTo(double timeMs, double lengthMs, Engine::State state = Engine::Playing)
    {
        engine().fakeLength = lengthMs;
        engine().fakeTime = timeMs;
        engine().fakePosition = lengthMs > 0 ? timeMs / lengthMs : 0;
        engine().fireState(state);
        session.monitorTick();
    }

    SettingsStore settings{environment()};
    FakePowerControl power;
    QList<QStringList> engineOptions;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [this](const QStringList& options) {
                                engineOptions << options;
                                return std::make_unique<FakeEngine>();
                            }};
};

} // namespace

TEST_F(PlaybackSessionTest, OptionsFollowSettings)
{
    EXPECT_EQ(session.engineOptions().strings(),
              QStringList({"overlay", "snapshot-prefix=IMG_", "snapshot-path=/home/me/Pictures",
                           "snapshot-format=JPG", "snapshot-preview", "snapshot-sequential",
                           "disable-screensaver", "snapshot-Width=640", "snapshot-Height=480"}));
    Settings changed = settings.settings();
    changed.snapshotPreview = false;
    changed.disableScreenSaver = false;
    changed.snapshotFormat = SnapshotFormat::Png;
    settings.apply(changed);
    session.applyEngineSettings();
    EXPECT_EQ(session.engineOptions().strings().at(3), "snapshot-format=PNG");
    EXPECT_EQ(session.engineOptions().strings().at(4), "no-snapshot-preview");
    EXPECT_EQ(session.engineOptions().strings().at(6), "no-disable-screensaver");
}

TEST_F(PlaybackSessionTest, PlayingAnEntryMakesAFreshEngineWithItsSnapshotFolder)
{
    QSignalSpy started(&session, &PlaybackSession::itemStarted);
    playSelected(1);
    ASSERT_EQ(engineOptions.size(), 1);
    EXPECT_EQ(engineOptions[0].at(2), "snapshot-path=/home/me/Pictures/b.mkv Images");
    ASSERT_EQ(engine().opened.size(), 1u);
    EXPECT_EQ(engine().opened[0].mrlOrPath, "/m/b.mkv");
    EXPECT_EQ(engine().calls.filter("play").size(), 1);
    EXPECT_EQ(session.currentFile(), "/m/b.mkv");
    EXPECT_TRUE(session.flags().mediaActive);
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0], QVariantList({"/m/b.mkv", "b.mkv"}));

    QPointer<Engine> first = session.engine();
    session.playEntry(1, false);
    EXPECT_EQ(engineOptions.size(), 2);
    EXPECT_TRUE(first.isNull()); // the first engine is gone
    EXPECT_EQ(engine().opened.size(), 1u);
}

TEST_F(PlaybackSessionTest, OutOfRangeOrEmptyPlaylistPlaysNothing)
{
    session.playEntry(3, false);
    session.playEntry(-1, false);
    EXPECT_TRUE(engineOptions.isEmpty());
    QSignalSpy dialogs(&session, &PlaybackSession::openRequested);
    playlist.clear();
    session.play();
    EXPECT_EQ(dialogs.size(), 1);
    EXPECT_TRUE(engineOptions.isEmpty());
}

TEST_F(PlaybackSessionTest, MonitorShowsLoadingUntilPlayingThenTime)
{
    playSelected(0);
    QSignalSpy rate(&session, &PlaybackSession::rateTextChanged);
    QSignalSpy time(&session, &PlaybackSession::timeTextChanged);
    engine().fakeState = Engine::Opening;
    session.monitorTick();
    ASSERT_EQ(rate.size(), 1);
    EXPECT_EQ(rate.last().at(0).toString(), "Loading...");
    EXPECT_TRUE(rate.last().at(1).toBool());

    runTo(61500, 600000);
    EXPECT_FALSE(rate.last().at(1).toBool());
    EXPECT_EQ(time.last().at(0).toString(), "00:01:02 / 00:10:00");
    EXPECT_TRUE(session.flags().mediaActive);
}

// The end of an item by play mode, repeat mode and after-play action; later ticks add nothing.
TEST_F(PlaybackSessionTest, AnItemThatEndsGoesOnByTheModes)
{
    struct Case
    {
        const char* name;
        int play, repeat, afterPlay, start;
        const char* then;
        QStringList calls; // on the same engine control; empty: a fresh control
        MediaControlState::State state;
        int reboots, closes;
    };
    const Case cases[] = {
        {"continuous, repeat all wraps",
         1,
         2,
         0,
         2,
         "/m/a.mkv",
         {},
         MediaControlState::Playing,
         0,
         0},
        {"single repeat restarts",
         0,
         1,
         0,
         1,
         "/m/b.mkv",
         {"stop", "play"},
         MediaControlState::Playing,
         0,
         0},
        {"normal stops and restarts the computer",
         0,
         2,
         2,
         0,
         "/m/a.mkv",
         {"stop"},
         MediaControlState::Stopped,
         1,
         0},
        {"continuous without repeat ends on the last and closes",
         1,
         0,
         1,
         2,
         "/m/c.mkv",
         {"stop"},
         MediaControlState::Stopped,
         0,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setModes(c.play, c.repeat);
        session.chooseAfterPlay(c.afterPlay);
        playSelected(c.start);
        const int control = session.host().generation();
        const int reboots = power.reboots;
        QSignalSpy close(&session, &PlaybackSession::closeRequested);
        runTo(3000, 3000);
        EXPECT_FALSE(session.flags().mediaActive);
        engine().clearCalls();
        session.monitorTick();
        session.monitorTick();
        EXPECT_EQ(engine().item().mrlOrPath, c.then);
        EXPECT_EQ(playlist.fullPath(playlist.selectedItem()), c.then);
        EXPECT_EQ(session.host().generation() == control, !c.calls.isEmpty());
        if (!c.calls.isEmpty()) {
            EXPECT_EQ(engine().calls, c.calls);
        }
        EXPECT_EQ(session.controlState(), c.state);
        EXPECT_EQ(power.reboots - reboots, c.reboots);
        EXPECT_EQ(close.size(), c.closes);
    }
}

TEST_F(PlaybackSessionTest, EndedStateFinishesItemThatStopsShortOfItsLength)
{
    session.setPlayMode(PlayMode::Continuous);
    playSelected(0);
    runTo(2900, 4000);
    EXPECT_TRUE(session.flags().mediaActive);
    engine().fireEnded();
    session.monitorTick();
    EXPECT_FALSE(session.flags().mediaActive);
    session.monitorTick();
    EXPECT_EQ(session.currentFile(), "/m/b.mkv");
}

TEST_F(PlaybackSessionTest, NothingFinishesBeforeThePlayingState)
{
    playSelected(0);
    engine().fakeState = Engine::Opening; // time and length unknown while opening
    session.monitorTick();
    session.monitorTick();
    EXPECT_TRUE(session.flags().mediaActive);
    EXPECT_EQ(session.currentFile(), "/m/a.mkv");
}

TEST_F(PlaybackSessionTest, StopResetsDisplayAndIsNotAnEnd)
{
    playSelected(0);
    runTo(2000, 9000);
    QSignalSpy time(&session, &PlaybackSession::timeTextChanged);
    QSignalSpy progress(&session, &PlaybackSession::progressChanged);
    session.stop();
    EXPECT_EQ(time.last().at(0).toString(), TimeText::Idle);
    EXPECT_EQ(progress.last().at(0).toInt(), 0);
    EXPECT_TRUE(session.flags().stopped);
    EXPECT_TRUE(session.flags().paused);
    engine().fireState(Engine::Stopped);
    session.monitorTick();
    EXPECT_EQ(session.currentFile(), "/m/a.mkv");
    EXPECT_EQ(engineOptions.size(), 1);
    // Play after stop resumes the same control.
    session.play();
    EXPECT_EQ(engineOptions.size(), 1);
    EXPECT_TRUE(session.flags().mediaActive);
}

TEST_F(PlaybackSessionTest, PauseTwiceReturnsToPlaying)
{
    playSelected(0);
    session.pause();
    EXPECT_EQ(session.controlState(), MediaControlState::Paused);
    session.pause();
    EXPECT_EQ(session.controlState(), MediaControlState::Playing);
    EXPECT_EQ(engine().callCount("togglePause"), 2);
}

TEST_F(PlaybackSessionTest, NextAndPreviousWrapWhateverTheRepeatMode)
{
    session.setRepeatMode(RepeatMode::NoRepeat);
    playSelected(2);
    session.next();
    EXPECT_EQ(session.currentFile(), "/m/a.mkv");
    EXPECT_EQ(playlist.selectedItem(), 0);
    session.previous();
    EXPECT_EQ(session.currentFile(), "/m/c.mkv");
}

TEST_F(PlaybackSessionTest, FullScreenStartWaitsForVideoThenAsksOnce)
{
    QSignalSpy fullScreen(&session, &PlaybackSession::fullScreenRequested);
    playlist.select(0);
    session.playEntry(0, true);
    EXPECT_TRUE(fullScreen.isEmpty());
    engine().fireVout();
    engine().fireVout();
    ASSERT_EQ(fullScreen.size(), 1);
    EXPECT_TRUE(fullScreen.last().at(0).toBool());
}

TEST_F(PlaybackSessionTest, FullScreenAsksTheWindowOnlyWhileAnItemPlays)
{
    QSignalSpy fullScreen(&session, &PlaybackSession::fullScreenRequested);
    session.fullScreen();
    EXPECT_TRUE(fullScreen.isEmpty()) << "stopped";
    playSelected(0);
    session.fullScreen();
    ASSERT_EQ(fullScreen.size(), 1);
    EXPECT_TRUE(fullScreen.last().at(0).toBool());
}

TEST_F(PlaybackSessionTest, PlayPauseOpensPlaysOrToggles)
{
    QSignalSpy open(&session, &PlaybackSession::openRequested);
    PlaylistModel empty;
    FakePowerControl noPower;
    PlaybackSession bare{settings, empty, noPower, [](const QStringList&) {
                             return std::make_unique<FakeEngine>();
                         }};
    QSignalSpy bareOpen(&bare, &PlaybackSession::openRequested);
    bare.playPause();
    EXPECT_EQ(bareOpen.size(), 1) << "an empty playlist asks for the open dialog";

    playlist.select(1);
    session.playPause();
    EXPECT_TRUE(open.isEmpty());
    EXPECT_TRUE(session.flags().mediaActive) << "stopped: the selected entry plays";
    EXPECT_EQ(session.currentFile(), playlist.fullPath(1));
    session.playPause();
    EXPECT_TRUE(session.flags().paused);
    EXPECT_EQ(engine().callCount("togglePause"), 1);
    session.playPause();
    EXPECT_FALSE(session.flags().paused);
    EXPECT_EQ(engine().callCount("togglePause"), 2);
}

TEST_F(PlaybackSessionTest, FastForwardReleasesToNormalRateNotChosenSpeed)
{
    playSelected(0);
    session.increaseSpeed();
    EXPECT_DOUBLE_EQ(session.playbackRate(), 2.0);
    EXPECT_DOUBLE_EQ(engine().fakeRate, 2.0);
    session.fastForwardStart();
    EXPECT_DOUBLE_EQ(engine().fakeRate, 10.0);
    session.fastForwardEnd();
    EXPECT_DOUBLE_EQ(engine().fakeRate, 1.0);
    EXPECT_DOUBLE_EQ(session.playbackRate(), 2.0);
}

TEST_F(PlaybackSessionTest, SpeedStepsDisableAtTheirLimitsAndResetOnNewItem)
{
    playSelected(0);
    for (int i = 0; i < 4; ++i) {
        session.increaseSpeed();
    }
    EXPECT_DOUBLE_EQ(session.playbackRate(), 16.0);
    EXPECT_FALSE(session.canIncreaseSpeed());
    session.increaseSpeed();
    EXPECT_DOUBLE_EQ(session.playbackRate(), 16.0);
    session.playEntry(0, false);
    EXPECT_DOUBLE_EQ(session.playbackRate(), 1.0);
    EXPECT_TRUE(session.canIncreaseSpeed());
}

// Modes chosen one by one or handed over together rebuild the order and are announced once per
// call; the store is the root's to write.
TEST_F(PlaybackSessionTest, ModesRebuildTheOrderAndAreAnnounced)
{
    const struct
    {
        std::function<void(PlaybackSession&)> set;
        int announcements;
    } ways[] = {{[](PlaybackSession& s) {
                     s.setPlayMode(PlayMode::Shuffle);
                     s.setRepeatMode(RepeatMode::SingleRepeat);
                 },
                 2},
                {[](PlaybackSession& s) {
                     s.order().setModes(PlayMode::Shuffle, RepeatMode::SingleRepeat);
                 },
                 1}};
    for (const auto& way : ways) {
        PlaybackSession fresh{settings, playlist, power, [](const QStringList&) {
                                  return std::make_unique<FakeEngine>();
                              }};
        fresh.setRandomSource([] { return 0.0; });
        QSignalSpy modes(&fresh, &PlaybackSession::modesChanged);
        const PlayMode stored = settings.settings().playMode;
        way.set(fresh);
        EXPECT_TRUE(fresh.isShuffle());
        EXPECT_EQ(fresh.sequence().count(), 3);
        EXPECT_EQ(fresh.repeatMode(), RepeatMode::SingleRepeat);
        EXPECT_EQ(modes.size(), way.announcements);
        EXPECT_EQ(settings.settings().playMode, stored) << "the root keeps the modes";
    }
}

TEST_F(PlaybackSessionTest, PlaylistClicksAndRemovalsMoveThePlayOrder)
{
    playSelected(0);
    session.entryClicked(2);
    EXPECT_EQ(session.sequence().position(), 2);
    session.entryActivated(1);
    EXPECT_EQ(session.currentFile(), "/m/b.mkv");
    EXPECT_EQ(session.sequence().position(), 1);

    playlist.removeAt(0);
    EXPECT_EQ(session.sequence().count(), 2);
    session.setPlayMode(PlayMode::Shuffle);
    const int shuffled = session.sequence().position();
    session.entryClicked(0); // a click does not move a shuffled order
    EXPECT_EQ(session.sequence().position(), shuffled);

    playlist.clear();
    EXPECT_EQ(session.sequence().count(), 0);
}

TEST_F(PlaybackSessionTest, ShufflePlaysEveryEntryOnceBeforeAnyRepeats)
{
    for (const char* name : {"d.mkv", "e.mkv"}) {
        playlist.append(PlaylistEntry{name, {}, QString("/m/") + name, {}});
    }
    setModes(2, 2);
    const QStringList all = {"/m/a.mkv", "/m/b.mkv", "/m/c.mkv", "/m/d.mkv", "/m/e.mkv"};
    for (std::uint64_t seed = 0; seed < 10; ++seed) {
        for (int selected = 0; selected < playlist.count(); ++selected) {
            auto generator = std::make_shared<std::mt19937_64>(seed);
            session.setRandomSource([generator] {
                return std::uniform_real_distribution<double>(0.0, 1.0)(*generator);
            });
            playlist.select(selected);
            session.rebuildSequence();
            session.entryActivated(selected);
            QStringList played{session.currentFile()};
            // Two rounds: each plays every entry once, in the same shuffled order.
            for (int item = 1; item < 2 * all.size(); ++item) {
                runTo(1000, 1000);
                session.monitorTick();
                played << session.currentFile();
            }
            const std::string context = "seed " + std::to_string(seed) + " selected " +
                                        std::to_string(selected) + ": " +
                                        played.join(' ').toStdString();
            EXPECT_EQ(played.first(), all[selected]) << context;
            QStringList round = played.mid(0, all.size());
            EXPECT_EQ(played.mid(all.size()), round) << context;
            round.sort();
            EXPECT_EQ(round, all) << context;
        }
    }
}

TEST_F(PlaybackSessionTest, PlayWithNothingPlayedYetStartsTheSelectedEntryAndStopWorks)
{
    struct Case
    {
        int selected;
        const char* expected;
        void (PlaybackSession::*command)();
    };
    for (const Case c :
         {Case{-1, "/m/a.mkv", &PlaybackSession::play}, Case{2, "/m/c.mkv", &PlaybackSession::play},
          Case{-1, "/m/a.mkv", &PlaybackSession::playPause}}) {
        SCOPED_TRACE(c.selected);
        PlaylistModel entries;
        for (const char* name : {"a.mkv", "b.mkv", "c.mkv"}) {
            entries.append(PlaylistEntry{name, {}, QString("/m/") + name, {}});
        }
        entries.select(c.selected);
        PlaybackSession fresh{settings, entries, power, [](const QStringList&) {
                                  return std::make_unique<FakeEngine>();
                              }};
        fresh.applyEngineSettings();
        fresh.createPlayer(); // the first engine control, with nothing in it
        fresh.enableMediaControl(MediaControlState::Stopped);
        fresh.rebuildSequence();
        QSignalSpy dialogs(&fresh, &PlaybackSession::openRequested);

        (fresh.*c.command)();
        EXPECT_TRUE(dialogs.isEmpty());
        auto* engine = static_cast<FakeEngine*>(fresh.engine());
        ASSERT_EQ(engine->opened.size(), 1u);
        EXPECT_EQ(engine->opened[0].mrlOrPath, c.expected);
        EXPECT_EQ(fresh.currentFile(), c.expected);
        EXPECT_EQ(entries.fullPath(entries.selectedItem()), c.expected);
        EXPECT_EQ(fresh.controlState(), MediaControlState::Playing);

        fresh.stop();
        EXPECT_EQ(engine->callCount("stop"), 1);
        EXPECT_EQ(fresh.controlState(), MediaControlState::Stopped);
        // Play after that stop resumes the same item on the same control.
        fresh.play();
        EXPECT_EQ(fresh.engine(), engine);
        EXPECT_EQ(fresh.controlState(), MediaControlState::Playing);
    }
}

TEST_F(PlaybackSessionTest, SnapshotGoesToTheItemsFolder)
{
    playSelected(1);
    EXPECT_EQ(session.snapshotFolder(), "/home/me/Pictures/b.mkv Images");
}

TEST_F(PlaybackSessionTest, ShuffleWithoutRepeatPlaysEntriesThatArriveWhileItPlays)
{
    setModes(2, 0);
    playlist.append(PlaylistEntry{"d.mkv", {}, "/m/d.mkv", {}});
    playSelected(0);
    for (const char* name : {"e.mkv", "f.mkv", "g.mkv"}) {
        playlist.append(PlaylistEntry{name, {}, QString("/m/") + name, {}});
        session.entriesCommitted(); // as each hand-over is taken in
    }
    QStringList played{session.currentFile()};
    for (int item = 0; item < 10; ++item) {
        runTo(3000, 3000);
        session.monitorTick();
        if (!session.flags().mediaActive) {
            break;
        }
        played << session.currentFile();
    }
    played.sort();
    EXPECT_EQ(played, QStringList({"/m/a.mkv", "/m/b.mkv", "/m/c.mkv", "/m/d.mkv", "/m/e.mkv",
                                   "/m/f.mkv", "/m/g.mkv"}))
        << "every entry once, then the round ends";
}

// Rows dragged to a new place: next and the end of an item go on in the list's new order.
TEST_F(PlaybackSessionTest, TheOrderFollowsRowsMovedWhilePlaying)
{
    setModes(1, 0);      // continuous, no repeat
    playSelected(1);     // b plays
    playlist.move(0, 2); // a goes below c: b, c, a
    EXPECT_EQ(playlist.selectedItem(), 0);
    session.next();
    EXPECT_EQ(engine().item().mrlOrPath, "/m/c.mkv");
    runTo(1000, 1000, Engine::Ended);
    session.monitorTick();
    EXPECT_EQ(engine().item().mrlOrPath, "/m/a.mkv");
}

// In Shuffle a drag changes only the rows: the entries play in the order they were dealt.
TEST_F(PlaybackSessionTest, ADragInShuffleKeepsThePlayOrder)
{
    const auto order = [this] {
        QStringList paths;
        for (const int entry : session.sequence().entries()) {
            paths << playlist.fullPath(entry);
        }
        return paths;
    };
    setModes(2, 2);
    playSelected(0);
    const QStringList dealt = order();
    playlist.move(0, 2);
    EXPECT_EQ(order(), dealt);
}

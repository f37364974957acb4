// Starting discs and the disc watch, over fake drives and a fake engine.
#include "playback/DvdPlayback.h"

#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/FakeDriveProvider.h"
#include "system/FakePowerControl.h"
#include "system/RecordingUserMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DvdPlaybackTest : public ::testing::Test
{
protected:
    DvdPlaybackTest()
    {
        QImage picture(32, 24, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        picture.save(pictures.filePath("DVD.jpg"));
        session.applyEngineSettings();
        session.enableMediaControl(MediaControlState::Stopped);
        for (const char* name : {"a.mkv", "b.mkv"}) {
            playlist.append(PlaylistEntry{name, {}, QString("/m/") + name, {}});
        }
        playlist.select(1);
    }

    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }

    // Serves events until the condition holds, as the window's loop would.
    template <typename Condition> bool waitFor(Condition condition, int ms = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return condition();
    }

    QTemporaryDir pictures;
    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel playlist;
    int enginesMade = 0;
    PlaybackSession session{settings, playlist, power, [this](const QStringList&) {
                                ++enginesMade;
                                return std::make_unique<FakeEngine>();
                            }};
    FakeDriveProvider drives;
    RecordingUserMessages messages;
    DvdPlayback dvd{drives, session, playlist, messages, pictures.path()};
};

} // namespace

TEST_F(DvdPlaybackTest, PlayingADiscReplacesThePlaylistWithoutHoldingTheWindow)
{
    drives.drives = {{"/dev/sr0", false, {}}, {"/dev/sr1", true, "MOVIE"}};
    dvd.refreshMenus();
    QSignalSpy times(&dvd, &DvdPlayback::timeTextChanged);
    QSignalSpy started(&dvd, &DvdPlayback::discStarted);

    QElapsedTimer clock;
    clock.start();
    dvd.playDisc(1);
    EXPECT_EQ(started.size(), 0) << "the waits are timers, not a blocking sleep";
    EXPECT_EQ(playlist.count(), 2) << "nothing replaced before the first wait";
    EXPECT_EQ(session.currentFile(), "/dev/sr1");
    EXPECT_TRUE(dvd.isStarting());

    ASSERT_TRUE(waitFor([&] { return started.size() == 1; }));
    // Two waits against none: one wait's length apart, whatever a busy machine adds.
    EXPECT_GE(clock.elapsed(), DvdPlayback::SettleMs);
    ASSERT_EQ(playlist.count(), 1);
    const PlaylistEntry& entry = playlist.entry(0);
    EXPECT_EQ(entry.title, "MOVIE (/dev/sr1)");
    EXPECT_EQ(entry.path, "dvd:///dev/sr1");
    EXPECT_EQ(entry.mediaInfo, "Video DVD");
    EXPECT_EQ(entry.picture.size(), QSize(32, 24));
    EXPECT_EQ(playlist.selectedItem(), 0);
    ASSERT_EQ(engine().opened.size(), 1u);
    EXPECT_EQ(engine().opened[0].mrlOrPath, "dvd:///dev/sr1");
    EXPECT_EQ(engine().opened[0].options, session.engineOptions().strings());
    EXPECT_EQ(engine().calls.last(), "play");
    EXPECT_TRUE(session.flags().mediaActive);
    EXPECT_EQ(times.value(0).value(0).toString(), "LOADING...");
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DvdPlaybackTest, EntriesThatStartNothing)
{
    struct Case
    {
        const char* context;
        QVector<OpticalDrive> drives;
        int index;
    };
    const Case cases[] = {
        {"no optical drive", {}, 0},
        {"no disc in the drive", {{"/dev/sr0", false, {}}}, 0},
        {"an index past the list", {{"/dev/sr0", true, "X"}}, 1},
        {"a negative index", {{"/dev/sr0", true, "X"}}, -1},
    };
    for (const Case& c : cases) {
        drives.drives = c.drives;
        dvd.refreshMenus();
        const int made = enginesMade;
        dvd.playDisc(c.index);
        EXPECT_EQ(enginesMade, made) << c.context;
        EXPECT_FALSE(dvd.isStarting()) << c.context;
        EXPECT_EQ(playlist.count(), 2) << c.context;
    }
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DvdPlaybackTest, MissingPictureFailsWithTheMessage)
{
    QFile::remove(pictures.filePath("DVD.jpg"));
    drives.drives = {{"/dev/sr0", true, "MOVIE"}};
    dvd.refreshMenus();
    QSignalSpy times(&dvd, &DvdPlayback::timeTextChanged);
    dvd.playDisc(0);
    ASSERT_TRUE(waitFor([&] { return !messages.messages.isEmpty(); }));
    EXPECT_EQ(messages.messages[0].text, "Please insert a valid DVD.");
    EXPECT_EQ(messages.messages[0].title, "Taskel Media Player");
    EXPECT_EQ(messages.messages[0].icon, UserMessages::Icon::Critical);
    EXPECT_EQ(times.last().value(0).toString(), QString());
    EXPECT_EQ(playlist.count(), 0) << "the playlist was already emptied";
    EXPECT_FALSE(dvd.isStarting());
}

TEST_F(DvdPlaybackTest, AnItemPlayedDuringTheWaitWins)
{
    drives.drives = {{"/dev/sr0", true, "MOVIE"}};
    dvd.refreshMenus();
    dvd.playDisc(0);
    session.playEntry(0, false);
    QCoreApplication::processEvents();
    waitFor([] { return false; }, 3 * DvdPlayback::SettleMs);
    EXPECT_EQ(playlist.count(), 2);
    EXPECT_EQ(session.currentFile(), "/m/a.mkv");
    EXPECT_FALSE(dvd.isStarting());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DvdPlaybackTest, WatchStartsTheVideoDiscInTheSecondDriveOnce)
{
    drives.drives = {{"/dev/sr0", true, "DATA"}, {"/dev/sr1", true, "MOVIE"}};
    drives.videoTs = {"/dev/sr1"};
    QSignalSpy menus(&dvd, &DvdPlayback::menusChanged);
    ASSERT_TRUE(dvd.isWatching());
    dvd.checkDVD();
    EXPECT_EQ(menus.size(), 1);
    EXPECT_EQ(dvd.menus().tray, QStringList({"DATA (/dev/sr0)", "MOVIE (/dev/sr1)"}));
    EXPECT_FALSE(dvd.isWatching());
    EXPECT_EQ(session.currentFile(), "/dev/sr1");
    ASSERT_TRUE(waitFor([&] { return !dvd.isStarting(); }));
    EXPECT_EQ(playlist.entry(0).path, "dvd:///dev/sr1");

    // The disc plays; it never moves on by itself, even once it has ended.
    engine().fireState(Engine::Playing);
    session.monitorTick();
    engine().fireState(Engine::Ended);
    const int made = enginesMade;
    session.monitorTick();
    session.monitorTick();
    EXPECT_EQ(enginesMade, made);
    EXPECT_TRUE(dvd.isWatching()) << "the monitor turns the watch on again";

    // The same disc, still in its drive, is not started once more.
    dvd.checkDVD();
    EXPECT_FALSE(dvd.isStarting());
    EXPECT_EQ(enginesMade, made);
    EXPECT_TRUE(dvd.isWatching());
}

TEST_F(DvdPlaybackTest, WatchWithoutDrivesOnlyRefreshes)
{
    for (int i = 0; i < 5; ++i) {
        dvd.checkDVD();
    }
    EXPECT_EQ(drives.listings, 5);
    EXPECT_TRUE(drives.asked.isEmpty());
    EXPECT_TRUE(dvd.isWatching());
    EXPECT_EQ(dvd.menus().tray, QStringList{"<No DVD drives were found>"});
}

TEST_F(DvdPlaybackTest, PausedTransportKeepsTheWatchOff)
{
    drives.drives = {{"/dev/sr0", true, "MOVIE"}};
    drives.videoTs = {"/dev/sr0"};
    dvd.checkDVD();
    ASSERT_TRUE(waitFor([&] { return !dvd.isStarting(); }));
    engine().fireState(Engine::Playing);
    session.pause();
    session.monitorTick();
    EXPECT_FALSE(dvd.isWatching());
}

TEST_F(DvdPlaybackTest, DiscTheEngineCannotOpenFailsWithTheMessage)
{
    struct Case
    {
        const char* context;
        std::vector<Engine::State> states;
        bool fails;
    };
    const Case cases[] = {
        {"refused at once", {Engine::Opening, Engine::Error}, true},
        {"plays", {Engine::Opening, Engine::Playing}, false},
        {"plays, then fails later", {Engine::Playing, Engine::Error}, false},
    };
    for (const Case& c : cases) {
        messages.messages.clear();
        drives.drives = {{"/dev/sr0", true, "MOVIE"}};
        dvd.refreshMenus();
        QSignalSpy started(&dvd, &DvdPlayback::discStarted);
        dvd.playDisc(0);
        ASSERT_TRUE(waitFor([&] { return started.size() == 1; })) << c.context;
        for (const Engine::State state : c.states) {
            engine().fireState(state);
        }
        EXPECT_EQ(messages.messages.size(), c.fails ? 1 : 0) << c.context;
        if (c.fails) {
            EXPECT_EQ(messages.messages[0].text, "Please insert a valid DVD.") << c.context;
        }
    }
}

TEST_F(DvdPlaybackTest, ADiscInsertedWhileAFilePlaysWaitsForItsEnd)
{
    playlist.select(0);
    session.rebuildSequence();
    session.playEntry(0, false);
    engine().fireState(Engine::Playing);
    engine().fakeLength = 3000;
    engine().fakeTime = 1000;
    session.monitorTick();
    ASSERT_TRUE(session.flags().mediaActive);
    const int made = enginesMade;

    drives.drives = {{"/dev/sr0", true, "MOVIE"}};
    drives.videoTs = {"/dev/sr0"};
    for (int i = 0; i < 3; ++i) {
        dvd.checkDVD();
        session.monitorTick();
    }
    EXPECT_EQ(session.currentFile(), "/m/a.mkv") << "the file plays on";
    EXPECT_EQ(playlist.count(), 2);
    EXPECT_EQ(enginesMade, made);
    EXPECT_FALSE(dvd.isStarting());

    // The file ends: the disc replaces the playlist instead of the next file playing.
    engine().fakeTime = 3000;
    engine().fireState(Engine::Ended);
    session.monitorTick();
    session.monitorTick();
    EXPECT_EQ(session.currentFile(), "/dev/sr0");
    ASSERT_TRUE(waitFor([&] { return !dvd.isStarting(); }));
    ASSERT_EQ(playlist.count(), 1);
    EXPECT_EQ(playlist.entry(0).path, "dvd:///dev/sr0");
}

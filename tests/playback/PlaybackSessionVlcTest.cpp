// The playback session on the real libVLC engine, over short generated clips.
#include "GeneratedMedia.h"
#include "QtPrinters.h"
#include "playback/PlaybackSession.h"
#include "playback/engine/VlcEngine.h"
#include "playback/engine/VlcEngineFactory.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/FakePowerControl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RealPlayback : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_ready = true;
        for (const char* name : {"first.mp4", "second.mp4", "third.mp4"}) {
            korvane::test::MediaRecipe recipe;
            recipe.name = name;
            recipe.rate = "15";
            recipe.arguments = {"-c:v",    "libx264", "-preset", "ultrafast", "-pix_fmt",
                                "yuv420p", "-c:a",    "aac",     "-shortest"};
            s_ready = s_ready && korvane::test::generateMedia(s_dir->path(), recipe);
        }
    }
    static void TearDownTestSuite() { delete s_dir; }

    void SetUp() override
    {
        ASSERT_TRUE(s_ready) << "ffmpeg could not make the clips";
        session.applyEngineSettings();
        for (const char* name : {"first.mp4", "second.mp4", "third.mp4"}) {
            playlist.append(PlaylistEntry{name, {}, s_dir->filePath(name), {}});
        }
    }

    void start(int index)
    {
        playlist.select(index);
        session.rebuildSequence();
        session.playEntry(index, false);
    }

    // Serves events (the session's own monitor timer among them) until the condition holds.
    template <typename Condition> bool waitFor(Condition condition, int ms = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        bool met = condition();
        while (!met && timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            met = condition();
        }
        return met;
    }

    bool waitForFile(const QString& name, int ms = 10000)
    {
        return waitFor([&] { return session.currentFile().endsWith(name) && startedAgain(); }, ms);
    }
    bool startedAgain()
    {
        const bool again = started.size() > seen;
        if (again) {
            seen = started.size();
        }
        return again;
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline bool s_ready = false;

    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [](const QStringList& options) {
                                return std::make_unique<VlcEngine>(options, nullptr,
                                                                   VlcEngine::AudioOutput::Dummy);
                            }};
    QSignalSpy started{&session, &PlaybackSession::itemStarted};
    qsizetype seen = 0;
};

} // namespace

TEST_F(RealPlayback, ContinuousMovesOnAndRepeatAllWrapsToTheFirst)
{
    session.setPlayMode(PlayMode::Continuous);
    session.setRepeatMode(RepeatMode::RepeatAll);
    start(1);
    ASSERT_TRUE(waitForFile("second.mp4"));
    EXPECT_TRUE(waitForFile("third.mp4"));
    EXPECT_TRUE(waitForFile("first.mp4"));
    EXPECT_EQ(playlist.selectedItem(), 0);
}

TEST_F(RealPlayback, NormalModeStopsAfterTheItem)
{
    session.setPlayMode(PlayMode::Normal);
    start(0);
    ASSERT_TRUE(waitForFile("first.mp4"));
    EXPECT_TRUE(waitFor([&] { return session.controlState() == MediaControlState::Stopped; }));
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(power.reboots + power.powerOffs, 0);
}

TEST_F(RealPlayback, SingleRepeatRestartsTheSameItemOnTheSameEngine)
{
    session.setRepeatMode(RepeatMode::SingleRepeat);
    start(2);
    QPointer<Engine> control = session.engine();
    QSignalSpy states(control.data(), &Engine::stateChanged);
    // Playing, the item ends, then playing again on the same control.
    EXPECT_TRUE(waitFor([&] {
        int playing = 0;
        for (const auto& state : states) {
            playing += state.at(0).toInt() == Engine::Playing;
        }
        return playing >= 2;
    }));
    EXPECT_EQ(session.engine(), control.data());
    EXPECT_EQ(started.size(), 1);
    EXPECT_TRUE(session.currentFile().endsWith("third.mp4"));
}

TEST_F(RealPlayback, ShuffleWithRepeatAllWrapsWithoutReshuffling)
{
    session.setRepeatMode(RepeatMode::RepeatAll);
    session.setRandomSource([] { return 0.7; });
    playlist.select(0);
    session.setPlayMode(PlayMode::Shuffle);
    const std::vector<int> order = session.sequence().entries();
    session.setSequencePosition(2);
    session.playEntry(0, false);
    // Position 2 is last: the next item is the one stored at position 0.
    const QString expected = playlist.title(order.at(0));
    ASSERT_TRUE(waitForFile("first.mp4"));
    EXPECT_TRUE(waitForFile(expected));
    EXPECT_EQ(session.sequence().entries(), order);
    EXPECT_EQ(session.sequence().position(), 0);
}

TEST_F(RealPlayback, PauseResumeSeekAndSpeed)
{
    start(0);
    ASSERT_TRUE(waitFor([&] { return session.engine()->state() == Engine::Playing; }));
    session.pause();
    EXPECT_TRUE(waitFor([&] { return session.engine()->state() == Engine::Paused; }));
    EXPECT_EQ(session.controlState(), MediaControlState::Paused);
    session.pause();
    EXPECT_TRUE(waitFor([&] { return session.engine()->state() == Engine::Playing; }));

    session.seek(0.5);
    EXPECT_TRUE(waitFor([&] { return session.engine()->time() >= 900; }));

    session.increaseSpeed();
    EXPECT_DOUBLE_EQ(session.playbackRate(), 2.0);
    EXPECT_DOUBLE_EQ(session.engine()->rate(), 2.0);
    session.resetSpeed();
    EXPECT_DOUBLE_EQ(session.engine()->rate(), 1.0);
}

TEST(RealPlaybackInstance, ItemsShareOneLibVlcInstanceUntilTheOptionsChange)
{
    QTemporaryDir dir;
    korvane::test::MediaRecipe recipe;
    recipe.name = "clip.mkv";
    recipe.seconds = 1;
    recipe.arguments = {"-c:v", "mpeg4", "-c:a", "libvorbis"};
    ASSERT_TRUE(korvane::test::generateMedia(dir.path(), recipe));

    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel playlist;
    for (const char* name : {"a", "b", "c"}) {
        playlist.append(PlaylistEntry{name, {}, dir.filePath("clip.mkv"), {}});
    }
    const VlcEngineFactory factory(nullptr, VlcInstance::AudioOutput::Dummy);
    PlaybackSession session{settings, playlist, power, factory};
    session.applyEngineSettings();

    std::shared_ptr<VlcInstance> first;
    for (int item = 0; item < 3; ++item) {
        session.playEntry(item, false);
        auto* engine = dynamic_cast<VlcEngine*>(session.engine());
        ASSERT_NE(engine, nullptr);
        ASSERT_TRUE(engine->isValid());
        if (!first) {
            first = engine->instance();
        }
        EXPECT_EQ(engine->instance(), first) << "item " << item;
    }
    EXPECT_EQ(factory.instancesMade(), 1);

    // The settings dialog changed an engine option: the next item gets a new instance.
    Settings changed = settings.settings();
    changed.snapshotFormat =
        changed.snapshotFormat == SnapshotFormat::Jpg ? SnapshotFormat::Png : SnapshotFormat::Jpg;
    settings.apply(changed);
    session.applyEngineSettings();
    session.playEntry(0, false);
    auto* engine = dynamic_cast<VlcEngine*>(session.engine());
    ASSERT_NE(engine, nullptr);
    EXPECT_NE(engine->instance(), first);
    EXPECT_EQ(factory.instancesMade(), 2);
    EXPECT_TRUE(engine->instance()->options().contains("snapshot-format=PNG") ||
                engine->instance()->options().contains("snapshot-format=JPG"));
    for (const QString& option : engine->instance()->options()) {
        EXPECT_FALSE(option.startsWith("snapshot-path=")) << option.toStdString();
    }
}

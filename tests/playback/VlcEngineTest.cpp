#include "playback/engine/VlcEngine.h"

#include "QtPrinters.h"
#include "playback/engine/VideoFrames.h"
#include "ui/frame/VideoArea.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Clips are made once per run by ffmpeg from its own test sources.
class VlcEngineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        const QString d = s_dir->path();
        s_ready = ffmpeg({"-f", "lavfi", "-i", "testsrc=d=3:s=320x240:r=25", "-f", "lavfi", "-i",
                          "sine=d=3", "-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac",
                          "-shortest", d + "/clip.mp4"}) &&
                  ffmpeg({"-f", "lavfi", "-i", "testsrc=d=1:s=160x120:r=25", "-c:v", "libx264",
                          "-pix_fmt", "yuv420p", d + "/short.mp4"}) &&
                  ffmpeg({"-f", "lavfi", "-i", "sine=d=2", d + "/tone.wav"});
        QFile text(d + "/notes.mp4");
        s_ready = s_ready && text.open(QIODevice::WriteOnly) &&
                  text.write("just some words, not a movie\n") > 0;
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_ready) << "ffmpeg could not make the test clips"; }

    static bool ffmpeg(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral("ffmpeg"),
                      QStringList{"-v", "error", "-y", "-nostdin"} + arguments);
        return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
    static QString clip(const char* name) { return s_dir->path() + "/" + name; }

    static std::unique_ptr<VlcEngine> makeEngine(const QStringList& options = {})
    {
        return std::make_unique<VlcEngine>(options, nullptr, VlcEngine::AudioOutput::Dummy);
    }

    // Records every state the engine reports and waits for a given one.
    struct StateLog
    {
        explicit StateLog(Engine& engine)
        {
            QObject::connect(&engine, &Engine::stateChanged, &engine,
                             [this](int state) { states.push_back(state); });
        }
        bool saw(int state) const
        {
            return std::find(states.begin(), states.end(), state) != states.end();
        }
        bool waitFor(int state, int timeoutMs = 5000)
        {
            return QTest::qWaitFor([&] { return saw(state); }, timeoutMs);
        }
        // Opens the clip, starts it and waits until the engine plays it.
        bool play(Engine& engine, const QString& path)
        {
            engine.open(path);
            engine.play();
            return waitFor(Engine::Playing);
        }
        std::vector<int> states;
    };

    static inline QTemporaryDir* s_dir = nullptr;
    static inline bool s_ready = false;
};

TEST(VlcEngineArguments, PrefixesOptionsAndLowerCasesOnlyTheirNames)
{
    const QStringList arguments = VlcEngine::instanceArguments(
        {"overlay", "snapshot-Width=640", "snapshot-path=/home/Ann/Pictures/My Clip.mp4 Images",
         "no-snapshot-preview", "", "  ", "--already-dashed", ":media-style"},
        false, false);
    EXPECT_EQ(arguments,
              (QStringList{"--no-video-title-show", "--snapshot-width=640",
                           "--snapshot-path=/home/Ann/Pictures/My Clip.mp4 Images",
                           "--no-snapshot-preview", "--already-dashed", "--media-style"}));
}

TEST(VlcEngineArguments, OverlaySwitchThatLibVlcNoLongerKnowsIsLeftOut)
{
    EXPECT_EQ(VlcEngine::instanceArguments({"Overlay", "no-overlay", "overlay-x=1"}, false, false),
              (QStringList{"--no-video-title-show", "--overlay-x=1"}));
}

TEST(VlcEngineArguments, DummyOutputsOnlyWhenAsked)
{
    const QStringList none = VlcEngine::instanceArguments({}, false, false);
    EXPECT_FALSE(none.contains("--vout=dummy"));
    EXPECT_FALSE(none.contains("--aout=dummy"));
    const QStringList both = VlcEngine::instanceArguments({}, true, true);
    EXPECT_TRUE(both.contains("--vout=dummy"));
    EXPECT_TRUE(both.contains("--aout=dummy"));
}

TEST_F(VlcEngineTest, PlaysAClipAndReportsItsLength)
{
    auto engine = makeEngine();
    ASSERT_TRUE(engine->isValid());
    EXPECT_FALSE(engine->isEmbedded()) << "no surface, no pictures in memory";
    StateLog log(*engine);
    QSignalSpy vout(engine.get(), &Engine::voutAppeared);

    EXPECT_FALSE(engine->hasMedia());
    EXPECT_TRUE(engine->open(clip("clip.mp4")));
    EXPECT_TRUE(engine->hasMedia());
    EXPECT_EQ(engine->state(), Engine::Idle);

    QElapsedTimer clock;
    clock.start();
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    std::printf("[ figure ] play() to state 3: %lld ms\n", clock.elapsed());
    EXPECT_EQ(engine->state(), Engine::Playing);
    EXPECT_NEAR(engine->length(), 3000.0, 100.0);
    EXPECT_TRUE(vout.count() > 0 || vout.wait(3000));
    EXPECT_EQ(vout.count(), 1) << "several vout events of one item give one notification";
    // libVLC may rebuild the output right after announcing it, so hasVout() can blink off.
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine->hasVout(); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine->time() > 0.0; }, 3000));
    EXPECT_GT(engine->position(), 0.0);
    EXPECT_LE(engine->position(), 1.0);
}

TEST_F(VlcEngineTest, PauseTogglesAndHoldsTime)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));

    engine->togglePause();
    ASSERT_TRUE(log.waitFor(Engine::Paused));
    EXPECT_EQ(engine->state(), Engine::Paused);
    const double heldAt = engine->time();
    QTest::qWait(600);
    EXPECT_EQ(engine->time(), heldAt);

    log.states.clear();
    engine->togglePause();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    EXPECT_EQ(engine->state(), Engine::Playing);
}

TEST_F(VlcEngineTest, PauseToggleAfterStopPlaysAgain)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    engine->stop();
    log.states.clear();
    engine->togglePause();
    EXPECT_TRUE(log.waitFor(Engine::Playing));
}

TEST_F(VlcEngineTest, PlayResumesAPausedItem)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    engine->togglePause();
    ASSERT_TRUE(log.waitFor(Engine::Paused));
    log.states.clear();
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    EXPECT_FALSE(log.saw(Engine::Opening)) << "resuming must not reopen the item";
}

TEST_F(VlcEngineTest, SettingThePositionMovesTheTime)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    engine->setPosition(0.6);
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine->time() >= 1700.0; }, 3000))
        << "time " << engine->time();
    EXPECT_GE(engine->position(), 0.55);

    // Rewinding past the start steps below zero; that must land on the start, not fail.
    engine->setPosition(-0.5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return engine->time() < 1500.0; }, 3000));
}

TEST_F(VlcEngineTest, RateReadsBackAndRefusesNonsense)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    engine->setRate(2.0);
    EXPECT_DOUBLE_EQ(engine->rate(), 2.0);
    engine->setRate(0.125);
    EXPECT_DOUBLE_EQ(engine->rate(), 0.125);
    engine->setRate(0.0);
    engine->setRate(-1.0);
    EXPECT_DOUBLE_EQ(engine->rate(), 0.125);
}

TEST_F(VlcEngineTest, ReachesTheEndOfAShortClipWithoutAFalseStop)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    QSignalSpy ended(engine.get(), &Engine::ended);
    engine->open(clip("short.mp4"));
    engine->play();
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(engine->state(), Engine::Ended);
    ASSERT_TRUE(log.saw(Engine::Playing));
    ASSERT_FALSE(log.states.empty());
    // libVLC's own Stopped after the end is not reported as a stop.
    QTest::qWait(200);
    EXPECT_EQ(log.states.back(), Engine::Ended);
    EXPECT_FALSE(log.saw(Engine::Stopped));
}

TEST_F(VlcEngineTest, PlayAfterTheEndStartsOver)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    QSignalSpy ended(engine.get(), &Engine::ended);
    engine->open(clip("short.mp4"));
    engine->play();
    ASSERT_TRUE(ended.wait(5000));
    log.states.clear();
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    EXPECT_TRUE(ended.wait(5000)) << "the item plays to its end a second time";
    EXPECT_EQ(ended.count(), 2);
}

TEST_F(VlcEngineTest, StopThenPlayStartsFromTheBeginning)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    engine->setPosition(0.7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->time() >= 1800.0; }, 3000));

    engine->stop();
    ASSERT_TRUE(log.waitFor(Engine::Stopped));
    EXPECT_EQ(engine->state(), Engine::Stopped);
    EXPECT_TRUE(engine->hasMedia()) << "stop keeps the item";

    log.states.clear();
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    EXPECT_LT(engine->time(), 1500.0);
}

TEST_F(VlcEngineTest, OpenReplacesThePlayingItem)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    QSignalSpy ended(engine.get(), &Engine::ended);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->length() > 2500.0; }, 3000));

    // The earlier item stops at once; the new one waits for play().
    ASSERT_TRUE(engine->open(clip("short.mp4")));
    EXPECT_TRUE(engine->hasMedia());
    EXPECT_EQ(engine->state(), Engine::Idle);
    EXPECT_FALSE(engine->open(QString())) << "an empty text keeps the item";
    log.states.clear();
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->length() > 0.0; }, 3000));
    EXPECT_LT(engine->length(), 2500.0) << "the second item plays, not the first";
    EXPECT_TRUE(ended.wait(5000));
    EXPECT_EQ(ended.count(), 1) << "replacing an item is not its end";
}

TEST_F(VlcEngineTest, OpenAfterStopPlaysTheNewItem)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    QSignalSpy ended(engine.get(), &Engine::ended);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    engine->stop();
    ASSERT_TRUE(log.waitFor(Engine::Stopped));
    ASSERT_TRUE(engine->open(clip("short.mp4")));
    log.states.clear();
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    EXPECT_TRUE(ended.wait(5000));
}

TEST_F(VlcEngineTest, AudioOnlyHasNoVideoOutput)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    QSignalSpy vout(engine.get(), &Engine::voutAppeared);
    ASSERT_TRUE(log.play(*engine, clip("tone.wav")));
    EXPECT_NEAR(engine->length(), 2000.0, 100.0);
    QTest::qWait(500);
    EXPECT_FALSE(engine->hasVout());
    EXPECT_EQ(vout.count(), 0);
}

TEST_F(VlcEngineTest, MissingFileEndsInTheErrorState)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    QSignalSpy ended(engine.get(), &Engine::ended);
    engine->open(clip("not-there.mp4"));
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Error));
    EXPECT_EQ(engine->state(), Engine::Error) << "libVLC itself reads 'ended' here";
    EXPECT_FALSE(log.saw(Engine::Playing));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_FALSE(engine->hasVout());
    EXPECT_EQ(engine->length(), 0.0);
    EXPECT_EQ(engine->time(), 0.0);
}

// libVLC's last-resort MPEG demuxer takes almost anything: such a file opens, "plays" nothing and
// ends at once, or fails outright. Either way it must settle in a finished state, not sit open.
TEST_F(VlcEngineTest, TextFileNamedLikeAMovieSettlesFinished)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    QSignalSpy vout(engine.get(), &Engine::voutAppeared);
    engine->open(clip("notes.mp4"));
    engine->play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine->state() >= Engine::Ended; }, 5000))
        << "state " << engine->state();
    QTest::qWait(200);
    EXPECT_TRUE(engine->state() == Engine::Ended || engine->state() == Engine::Error);
    EXPECT_TRUE(log.saw(Engine::Ended) || log.saw(Engine::Error));
    EXPECT_EQ(engine->length(), 0.0);
    EXPECT_EQ(vout.count(), 0);
}

TEST_F(VlcEngineTest, EmptyEngineShrugsOffEveryCall)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    engine->play();
    engine->togglePause();
    engine->stop();
    engine->setPosition(0.5);
    engine->setRate(2.0);
    EXPECT_FALSE(engine->open(QString()));
    EXPECT_FALSE(engine->hasMedia());
    QTest::qWait(100);
    EXPECT_EQ(engine->state(), Engine::Idle);
    EXPECT_EQ(engine->time(), 0.0);
    EXPECT_EQ(engine->length(), 0.0);
    EXPECT_EQ(engine->position(), 0.0);
    EXPECT_FALSE(engine->hasVout());
}

TEST_F(VlcEngineTest, VolumeAndMuteAreKeptByTheEngine)
{
    auto engine = makeEngine();
    StateLog log(*engine);
    EXPECT_EQ(engine->volume(), 100);
    engine->setVolume(40);
    engine->toggleMute();
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    EXPECT_EQ(engine->volume(), 40);
    EXPECT_TRUE(engine->isMuted());
    engine->toggleMute();
    EXPECT_FALSE(engine->isMuted());
    engine->setVolume(-5);
    EXPECT_EQ(engine->volume(), 0);
}

TEST_F(VlcEngineTest, NotificationsArriveOnTheUiThread)
{
    auto engine = makeEngine();
    std::vector<QThread*> threads;
    const auto record = [&] {
        threads.push_back(QThread::currentThread());
    };
    QObject::connect(engine.get(), &Engine::stateChanged, engine.get(), record);
    QObject::connect(engine.get(), &Engine::voutAppeared, engine.get(), record);
    QObject::connect(engine.get(), &Engine::ended, engine.get(), record);
    QSignalSpy ended(engine.get(), &Engine::ended);
    engine->open(clip("short.mp4"));
    engine->play();
    ASSERT_TRUE(ended.wait(5000));
    ASSERT_GE(threads.size(), 3U);
    for (QThread* thread : threads) {
        EXPECT_EQ(thread, qApp->thread());
    }
}

// libVLC reports a stop inside the stop, on the caller's thread: the handlers hear of it later,
// never inside the call, however soon after play() the stop or the engine's end comes.
TEST_F(VlcEngineTest, NoNotificationArrivesInsideAnEngineCall)
{
    for (const int reached : {Engine::Idle, Engine::Opening, Engine::Playing}) {
        for (const bool destroy : {false, true}) {
            auto engine = makeEngine();
            StateLog log(*engine);
            bool inside = false;
            QObject::connect(engine.get(), &Engine::stateChanged, engine.get(),
                             [&] { EXPECT_FALSE(inside) << "after state " << reached; });
            engine->open(clip("clip.mp4"));
            engine->play();
            ASSERT_TRUE(reached == Engine::Idle || log.waitFor(reached));
            inside = true;
            destroy ? engine.reset() : engine->stop();
            inside = false;
            EXPECT_TRUE(destroy || log.waitFor(Engine::Stopped)) << "after state " << reached;
        }
    }
}

TEST_F(VlcEngineTest, AHandlerMayDeleteTheEngine)
{
    auto* engine = makeEngine().release();
    QSignalSpy destroyed(engine, &QObject::destroyed);
    QObject::connect(engine, &Engine::stateChanged, qApp, [engine](int state) {
        if (state == Engine::Ended) {
            delete engine;
        }
    });
    engine->open(clip("short.mp4"));
    engine->play();
    EXPECT_TRUE(destroyed.wait(5000));
}

TEST_F(VlcEngineTest, EngineOptionStringsDoNotBreakTheInstance)
{
    const QStringList options{"overlay",
                              "snapshot-prefix=korvane",
                              "snapshot-path=" + s_dir->path() + "/short.mp4 Images",
                              "snapshot-format=PNG",
                              "no-snapshot-preview",
                              "snapshot-sequential",
                              "no-disable-screensaver",
                              "snapshot-Width=640",
                              "snapshot-Height=480"};
    auto engine = makeEngine(options);
    ASSERT_TRUE(engine->isValid());
    EXPECT_TRUE(engine->optionsApplied());
    StateLog log(*engine);
    engine->open(clip("short.mp4"), options);
    engine->play();
    EXPECT_TRUE(log.waitFor(Engine::Playing));
}

TEST_F(VlcEngineTest, UnknownOptionStillGivesAWorkingEngine)
{
    auto engine = makeEngine({"no-such-option-anywhere=1"});
    ASSERT_TRUE(engine->isValid());
    EXPECT_FALSE(engine->optionsApplied());
    StateLog log(*engine);
    engine->open(clip("short.mp4"));
    engine->play();
    EXPECT_TRUE(log.waitFor(Engine::Playing));
}

TEST_F(VlcEngineTest, TwoEnginesLiveSideBySide)
{
    auto first = makeEngine();
    auto second = makeEngine();
    StateLog firstLog(*first);
    StateLog secondLog(*second);
    first->open(clip("clip.mp4"));
    second->open("file://" + clip("tone.wav"));
    first->play();
    second->play();
    EXPECT_TRUE(firstLog.waitFor(Engine::Playing));
    EXPECT_TRUE(secondLog.waitFor(Engine::Playing)) << "an address is played like a path";
    first.reset();
    EXPECT_EQ(second->state(), Engine::Playing);
}

} // namespace

namespace {

// A surface that keeps what the engine hands it.
struct KeptFrames : VideoSurface
{
    std::shared_ptr<VideoFrames> frames;
    void showFrames(std::shared_ptr<VideoFrames> given) override { frames = std::move(given); }
};

// Pictures reach the surface; paused, the output stops drawing, and a seek or a snapshot while
// paused still gets it.
TEST_F(VlcEngineTest, PicturesReachTheSurfaceAndAPausedOutputDrawsNothing)
{
    KeptFrames surface;
    auto engine =
        std::make_unique<VlcEngine>(QStringList{}, &surface, VlcEngine::AudioOutput::Dummy);
    ASSERT_TRUE(engine->isEmbedded());
    ASSERT_TRUE(surface.frames);
    VideoFrames& frames = *surface.frames;
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("clip.mp4")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frames.picture().isNull(); }, 5000));
    // The visible size, once the engine has read it from the track; an output opened before
    // that gets the decoder's padded height, and the painting keeps the track's shape all the
    // same.
    EXPECT_EQ(frames.picture().width(), 320);
    EXPECT_GE(frames.picture().height(), 240);
    EXPECT_LT(frames.picture().height(), 272);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frames.displayAspect() > 0.0; }, 10000));
    EXPECT_NEAR(frames.displayAspect(), 4.0 / 3.0, 0.01);

    engine->togglePause();
    ASSERT_TRUE(log.waitFor(Engine::Paused));
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames.isHeld(); }, 10000));
    const int shown = frames.shownCount();
    const int checks = frames.holdChecks();
    ASSERT_TRUE(QTest::qWaitFor([&] { return frames.holdChecks() >= checks + 2; }, 10000));
    EXPECT_EQ(frames.shownCount(), shown) << "the paused picture was drawn again";

    const QImage before = frames.picture();
    engine->setPosition(0.3);
    EXPECT_TRUE(QTest::qWaitFor([&] { return frames.picture() != before; }, 10000))
        << "a seek while paused shows its picture";
    EXPECT_TRUE(QTest::qWaitFor([&] { return frames.isHeld(); }, 5000)) << "and holds again";
    EXPECT_NEAR(engine->time(), 900, 400);

    QTemporaryDir shots;
    EXPECT_TRUE(engine->saveSnapshot(shots.filePath("paused.png")));
    EXPECT_EQ(engine->state(), Engine::Paused);

    log.states.clear();
    engine->play();
    ASSERT_TRUE(log.waitFor(Engine::Playing));
    const int resumed = frames.shownCount();
    EXPECT_TRUE(QTest::qWaitFor([&] { return frames.shownCount() > resumed + 2; }, 10000));
}

// Runs `call`; should it wait for the held output longer than any libVLC call would, lets the
// output go from another thread so that the test goes on, and says so.
bool returnsUnaided(VideoFrames& frames, const std::function<void()>& call)
{
    std::promise<void> returned;
    bool aided = false;
    std::thread watchdog([&, ended = returned.get_future()] {
        while (ended.wait_for(std::chrono::seconds(aided ? 1 : 20)) != std::future_status::ready) {
            aided = true;
            frames.release();
        }
    });
    call();
    returned.set_value();
    watchdog.join();
    return !aided;
}

// Paused with the output held, each call that waits for the output returns, and the player
// plays on afterwards.
TEST_F(VlcEngineTest, EveryCallReturnsWhilePausedAndThePlayerPlaysOn)
{
    KeptFrames surface;
    const auto make = [&] {
        return std::make_unique<VlcEngine>(QStringList{}, &surface, VlcEngine::AudioOutput::Dummy);
    };
    using Call = std::function<void(std::unique_ptr<VlcEngine>&)>;
    const std::pair<const char*, Call> cases[] = {
        {"stop", Call([](auto& engine) { engine->stop(); })},
        {"seek", Call([](auto& engine) { engine->setPosition(0.5); })},
        {"next item, same engine", Call([](auto& engine) {
             engine->open(clip("short.mp4"));
             engine->play();
         })},
        {"next item, new engine", Call([&](auto& engine) {
             engine.reset();
             engine = make();
         })},
        {"close", Call([](auto& engine) { engine.reset(); })},
    };
    for (const auto& [name, call] : cases) {
        auto engine = make();
        StateLog log(*engine);
        ASSERT_TRUE(log.play(*engine, clip("clip.mp4"))) << name;
        const std::shared_ptr<VideoFrames> frames = surface.frames;
        ASSERT_TRUE(QTest::qWaitFor([&] { return frames->shownCount() > 2; }, 10000)) << name;
        engine->togglePause();
        ASSERT_TRUE(QTest::qWaitFor([&] { return frames->holdChecks() > 0; }, 10000)) << name;
        EXPECT_TRUE(returnsUnaided(*frames, [&] { call(engine); })) << name << " froze";

        if (!engine) {
            engine = make();
        }
        if (!engine->hasMedia()) {
            engine->open(clip("clip.mp4"));
        }
        engine->play();
        const int shown = surface.frames->shownCount();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return surface.frames->shownCount() > shown + 2; }, 10000))
            << name << ": the player did not play on";
    }
}

// The video area paints the pictures, fitted with their shape, and black around them.
TEST_F(VlcEngineTest, TheVideoAreaPaintsThePicturesFittedToItsShape)
{
    VideoArea area;
    area.resize(400, 100);
    auto engine = std::make_unique<VlcEngine>(QStringList{}, &area, VlcEngine::AudioOutput::Dummy);
    StateLog log(*engine);
    ASSERT_TRUE(log.play(*engine, clip("short.mp4")));
    // 4:3 in the middle, once the engine has read the track's shape.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return area.pictureRect() == QRect(133, 0, 133, 100); }, 5000));
    const QImage painted = area.grab().toImage();
    EXPECT_EQ(painted.pixel(10, 50), qRgb(0, 0, 0));
    EXPECT_NE(painted.pixel(200, 50), qRgb(0, 0, 0));
    area.setAudioOnly(true);
    EXPECT_TRUE(area.pictureRect().isEmpty());
    engine.reset();
}

} // namespace

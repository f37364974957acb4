#include "playback/engine/VideoFrames.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <future>
#include <gtest/gtest.h>
#include <thread>
#include <utility>

namespace {

using namespace std::chrono_literals;

// Plays libVLC's part: the output thread's calls, in its order.
struct Output
{
    VideoFrames& frames;
    unsigned pitch = 0;
    unsigned height = 0;

    QSize setup(unsigned width, unsigned h)
    {
        void* opaque = &frames;
        char chroma[5] = "I420";
        unsigned pitches[3] = {};
        unsigned lines[3] = {};
        if (VideoFrames::setup(&opaque, chroma, &width, &h, pitches, lines) == 0) {
            return {};
        }
        EXPECT_STREQ(chroma, "RV32");
        EXPECT_GE(pitches[0], width * 4);
        EXPECT_EQ(lines[0], h);
        pitch = pitches[0];
        height = h;
        return {static_cast<int>(width), static_cast<int>(h)};
    }
    // Fills a whole picture with one value, as the converter would.
    void* write(quint32 value)
    {
        void* planes[3] = {};
        void* picture = VideoFrames::lock(&frames, planes);
        auto* bytes = static_cast<unsigned char*>(planes[0]);
        for (unsigned line = 0; bytes && line < height; ++line) {
            auto* pixels = reinterpret_cast<quint32*>(bytes + line * pitch);
            std::fill(pixels, pixels + pitch / 4, value);
        }
        return picture;
    }
    void show(quint32 value) { VideoFrames::display(&frames, write(value)); }
};

bool uniform(const QImage& picture, quint32* value)
{
    *value = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] != *value) {
                return false;
            }
        }
    }
    return true;
}

// libVLC offers the decoder's padded size (1920 x 1088 for 1080p); once the engine knows the
// visible size, an output makes pictures of that size instead. Never larger than the screen.
TEST(VideoFrames, PicturesAreMadeAtTheVisibleSizeUpToTheLargestScreen)
{
    const struct
    {
        QSize largest;
        QSize display;
        QSize offered;
        QSize made;
    } cases[] = {
        {{}, {}, {640, 360}, {640, 360}},
        {{}, {}, {3840, 2160}, {3840, 2160}},
        {{1920, 1080}, {}, {3840, 2160}, {1920, 1080}},
        {{1920, 1080}, {}, {4000, 500}, {1920, 240}},
        {{}, {}, {0, 480}, {}},
        {{}, {1024, 576}, {720, 578}, {1024, 576}},
        {{800, 600}, {1024, 576}, {720, 578}, {800, 450}},
        {{}, {0, 576}, {1920, 1088}, {1920, 1088}},
    };
    for (const auto& c : cases) {
        VideoFrames frames;
        frames.setLargestSize(c.largest);
        frames.setDisplaySize(c.display);
        Output output{frames};
        EXPECT_EQ(output.setup(static_cast<unsigned>(c.offered.width()),
                               static_cast<unsigned>(c.offered.height())),
                  c.made)
            << c.offered.width() << "x" << c.offered.height() << " on " << c.largest.width();
    }
}

TEST(VideoFrames, APictureShowsOnceTheUiThreadTakesItAndGoesWhenTheOutputCloses)
{
    VideoFrames frames;
    QSignalSpy changed(&frames, &VideoFrames::pictureChanged);
    Output output{frames};
    output.setup(32, 16);
    EXPECT_TRUE(frames.picture().isNull()) << "nothing shown yet";

    output.show(0xff112233);
    EXPECT_TRUE(frames.picture().isNull()) << "not before the UI thread takes it";
    ASSERT_TRUE(changed.wait(2000));
    quint32 value = 0;
    ASSERT_TRUE(uniform(frames.picture(), &value));
    EXPECT_EQ(value, 0xff112233);

    // Two pictures before the UI thread runs: the newer one wins, one notice for both.
    output.show(0xff445566);
    output.show(0xff778899);
    changed.clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
    ASSERT_TRUE(uniform(frames.picture(), &value));
    EXPECT_EQ(value, 0xff778899);

    // A picture shown while the UI thread takes the one before is taken too.
    bool again = true;
    QObject::connect(&frames, &VideoFrames::pictureChanged, &frames, [&] {
        if (std::exchange(again, false)) {
            output.show(0xff0000aa);
        }
    });
    output.show(0xff000099);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return uniform(frames.picture(), &value) && value == 0xff0000aa; }, 10000));

    // libVLC closes an output on the thread that draws; a held one, then the next output of
    // the same frames starts free, with nothing on show.
    const QImage kept = frames.picture();
    frames.holdFrom(frames.generation());
    output.show(0xff000001);
    ASSERT_TRUE(frames.isHeld());
    VideoFrames::cleanup(&frames);
    EXPECT_FALSE(frames.isHeld());
    QCoreApplication::processEvents();
    EXPECT_TRUE(frames.picture().isNull());
    ASSERT_TRUE(uniform(kept, &value)) << "a picture taken earlier stays whole";
    EXPECT_EQ(value, 0xff0000aa);
    frames.release();
    output.setup(8, 8);
    output.show(0xff020202);
    QCoreApplication::processEvents();
    EXPECT_EQ(frames.picture().size(), QSize(8, 8));
}

// The output thread writes as fast as it can while the UI thread takes and reads pictures: each
// one it reads is a single whole picture.
TEST(VideoFrames, NoPictureIsTornByTheNextOneBeingWritten)
{
    VideoFrames frames;
    Output output{frames};
    output.setup(256, 128);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (quint32 n = 1; n <= 600; ++n) {
            output.show(0xff000000 | n);
        }
        done = true;
    });
    int read = 0;
    int torn = 0;
    int backwards = 0;
    quint32 last = 0;
    while (!done || read == 0) {
        QCoreApplication::processEvents();
        const QImage picture = frames.picture();
        if (picture.isNull()) {
            continue;
        }
        quint32 value = 0;
        torn += uniform(picture, &value) ? 0 : 1;
        backwards += value < last ? 1 : 0;
        last = value;
        ++read;
    }
    writer.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(backwards, 0) << "pictures go forward";
    QCoreApplication::processEvents();
    quint32 value = 0;
    ASSERT_TRUE(uniform(frames.picture(), &value));
    EXPECT_EQ(value, 0xff000000 | 600) << "the last picture is the one on show";
}

// Paused: the output is held at its next picture, as long as the UI thread is there to let it
// go; a release lets it go at once. A UI thread that cannot answer (it sits in a libVLC call
// that waits for the output) costs a picture a quarter second, never a stall.
TEST(VideoFrames, AHeldOutputWaitsWhileTheUiThreadAnswersAndGoesOnWhenItCannot)
{
    VideoFrames frames;
    Output output{frames};
    output.setup(16, 16);
    frames.holdFrom(frames.generation());
    EXPECT_FALSE(frames.isHeld()) << "held only once a picture is shown";
    output.show(0xff010101);
    ASSERT_TRUE(frames.isHeld());

    std::atomic<bool> drawn{false};
    std::thread redraw([&] {
        output.show(0xff020202);
        drawn = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return frames.holdChecks() >= 2; }, 10000));
    EXPECT_FALSE(drawn) << "the held output drew again while the UI thread answered";
    frames.release();
    redraw.join();
    EXPECT_FALSE(frames.isHeld());
    output.show(0xff030303);
    EXPECT_FALSE(frames.isHeld()) << "released for good until the next hold";

    // The UI thread blocks without answering, as inside libVLC's stop.
    frames.holdFrom(frames.generation());
    output.show(0xff040404);
    ASSERT_TRUE(frames.isHeld());
    auto blocked = std::async(std::launch::async, [&] { output.show(0xff050505); });
    const bool wentOn = blocked.wait_for(10s) == std::future_status::ready;
    frames.release();
    blocked.wait();
    EXPECT_TRUE(wentOn) << "a held output waited for a UI thread that could not answer";
}

// A request (a seek, a snapshot) lets the output go; its hold takes the first picture the
// output begins after it, not one begun before, and a Paused event from before it holds nothing.
TEST(VideoFrames, AHoldTakesOnlyPicturesOfTheRequestItCameIn)
{
    // {picture begun before the request, hold from before the request, held}
    const bool cases[][3] = {{false, false, true}, {true, false, false}, {false, true, false}};
    for (const auto& [begunBefore, outOfDate, held] : cases) {
        VideoFrames frames;
        Output output{frames};
        output.setup(16, 16);
        // The output names its pictures 0 and 1: a null one is a picture too.
        void* early = begunBefore ? output.write(0xff010101) : nullptr;
        const unsigned request = frames.beginRequest();
        frames.holdFrom(outOfDate ? request - 1 : request);
        VideoFrames::display(&frames, begunBefore ? early : output.write(0xff020202));
        EXPECT_EQ(frames.isHeld(), held) << begunBefore << outOfDate;
    }
}

TEST(VideoFrames, TheDisplayShapeIsAnnouncedOnlyWhenItChanges)
{
    VideoFrames frames;
    QSignalSpy changed(&frames, &VideoFrames::pictureChanged);
    EXPECT_EQ(frames.displayAspect(), 0.0);
    frames.setDisplaySize(QSize(1024, 576));
    frames.setDisplaySize(QSize(1024, 576));
    EXPECT_DOUBLE_EQ(frames.displayAspect(), 16.0 / 9.0);
    frames.setDisplaySize(QSize(0, 576));
    EXPECT_EQ(frames.displayAspect(), 0.0) << "nonsense reads as unknown";
    EXPECT_EQ(changed.count(), 2);
}

} // namespace

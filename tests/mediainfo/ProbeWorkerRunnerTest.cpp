#include "mediainfo/ProbeWorkerRunner.h"

#include "GeneratedMedia.h"
#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderProbe.h"
#include "mediainfo/DecoderProber.h"
#include "mediainfo/DefaultPictures.h"
#include "mediainfo/MediaSource.h"
#include "mediainfo/ProbeResult.h"
#include "mediainfo/ProbeWorkerClient.h"
#include "util/FakeProcessRunner.h"
#include "util/PosixProcessRunner.h"
#include "util/RunnerError.h"
#include "util/ToolPaths.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <future>
#include <gtest/gtest.h>
#include <memory>

using namespace korvane::test;

namespace {

const QString Worker = QStringLiteral(KORVANE_BIN_DIR "/korvane-probe-worker");
const QString DebugWorker = QStringLiteral(KORVANE_BIN_DIR "/korvane-probe-worker-debug");

// The media set both paths must read alike.
QList<MediaRecipe> mediaSet()
{
    const QStringList h264 = {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
    return {
        {"a.mp4", h264 + QStringList{"-c:a", "aac"}, true, true, "320x240"},
        {"a.avi", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}},
        {"a.mka", {"-c:a", "libvorbis"}, false, true},
        {"a.mpg", {"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}},
        {"a.wav", {"-c:a", "pcm_s16le"}, false, true},
        {"wide.mkv", h264, true, false, "1280x720"},
        {"tall.mov", h264 + QStringList{"-c:a", "aac"}, true, true, "240x320"},
        {"a.ts", {"-c:v", "mpeg2video", "-c:a", "mp2", "-f", "mpegts"}},
        {"turned.mp4", h264 + QStringList{"-metadata:s:v:0", "rotate=90"}, true, false, "320x240"},
        {"short.ogg", {"-c:v", "libtheora", "-c:a", "libvorbis"}, true, true, "160x120", "25", 1},
    };
}

// What is left of a capture once the program's own lines are gone: its banner, and its complaints
// about the command (there is no output file). Context addresses differ from run to run.
QString comparable(const QString& capture)
{
    QStringList lines = capture.split(QStringLiteral("\r\n")).mid(1).join("\r\n").split('\n');
    QStringList kept;
    bool banner = false;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String("ffmpeg version "))) {
            banner = true;
            continue;
        }
        if (banner && line.startsWith(QLatin1String("  "))) {
            continue;
        }
        banner = false;
        if (line.startsWith(QLatin1String("Trailing option(s) found")) ||
            line == QLatin1String("At least one output file must be specified")) {
            continue;
        }
        kept << line;
    }
    static const QRegularExpression address(QStringLiteral(" @ 0x[0-9a-f]+\\]"));
    return kept.join('\n').replace(address, QStringLiteral(" @ 0x]"));
}

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class ProbeWorkerRunnerTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        s_maps = std::make_unique<CodecMaps>(CodecMaps::loadFrom(KORVANE_SOURCE_DIR "/data"));
        s_pictures = std::make_unique<DefaultPictures>(
            DefaultPictures::loadFrom(KORVANE_SOURCE_DIR "/data"));
        for (const MediaRecipe& recipe : mediaSet()) {
            ASSERT_TRUE(generateMedia(s_dir->path(), recipe)) << recipe.name.toStdString();
        }
        // Music with its cover: the picture is the only video stream.
        QProcess cover;
        cover.start("ffmpeg", {"-nostdin",
                               "-v",
                               "error",
                               "-y",
                               "-f",
                               "lavfi",
                               "-i",
                               "sine=d=2",
                               "-f",
                               "lavfi",
                               "-i",
                               "testsrc=s=200x200:d=0.04",
                               "-map",
                               "0",
                               "-map",
                               "1",
                               "-c:a",
                               "libmp3lame",
                               "-c:v",
                               "mjpeg",
                               "-frames:v",
                               "1",
                               "-disposition:v",
                               "attached_pic",
                               file("cover.mp3")});
        ASSERT_TRUE(cover.waitForFinished(60000) && cover.exitCode() == 0);
        ASSERT_TRUE(writeFile(file("noise.avi"), QByteArray(5000, 'x')));
    }
    static void TearDownTestSuite()
    {
        s_dir.reset();
        s_maps.reset();
        s_pictures.reset();
    }
    static QString file(const QString& name) { return s_dir->filePath(name); }
    static QStringList everyFile()
    {
        QStringList names;
        for (const MediaRecipe& recipe : mediaSet()) {
            names << recipe.name;
        }
        return names << "cover.mp3"
                     << "noise.avi"
                     << "missing.mp4";
    }
    static QStringList describeCommand(const QString& name)
    {
        return QStringList(korvane::findTool("ffmpeg")) + DecoderProbe::probeArguments(file(name));
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<CodecMaps> s_maps;
    static inline std::unique_ptr<DefaultPictures> s_pictures;
    korvane::PosixProcessRunner m_programs;
};

TEST_F(ProbeWorkerRunnerTest, DescriptionReadsAsTheProgramWritesIt)
{
    ProbeWorkerRunner worker(m_programs, Worker);
    for (const QString& name : everyFile()) {
        const QStringList command = describeCommand(name);
        ASSERT_TRUE(m_programs.runPipedCommand(command, file("program.txt")));
        ASSERT_TRUE(worker.runPipedCommand(command, file("worker.txt")));
        const QString program = readAll(file("program.txt"));
        const QString answered = readAll(file("worker.txt"));
        EXPECT_EQ(answered.section("\r\n", 0, 0), program.section("\r\n", 0, 0))
            << name.toStdString();
        EXPECT_EQ(comparable(answered).toStdString(), comparable(program).toStdString())
            << name.toStdString();
    }
    EXPECT_EQ(worker.answered(), everyFile().size());
    EXPECT_EQ(worker.client().starts(), 1);
}

TEST_F(ProbeWorkerRunnerTest, BothPathsDescribeEveryClipAlike)
{
    ProbeWorkerRunner worker(m_programs, Worker);
    DecoderProber byProgram(m_programs, *s_maps, *s_pictures);
    DecoderProber byWorker(worker, *s_maps, *s_pictures);
    for (const QString& name : everyFile()) {
        SCOPED_TRACE(name.toStdString());
        MediaSource a;
        MediaSource b;
        ProbeResult ra;
        ProbeResult rb;
        const bool acceptedA = byProgram.describe(file(name), a, ra);
        const bool acceptedB = byWorker.describe(file(name), b, rb);
        ASSERT_EQ(acceptedA, acceptedB);
        EXPECT_EQ(ra.lastProbeError, rb.lastProbeError);
        // A seek past a cover finds no picture for the program; the worker takes the cover as
        // it is. The rest of such a file reads alike.
        const bool cover = name == "cover.mp3";
        if (cover) {
            ASSERT_EQ(b.streamCount(), 2);
            EXPECT_TRUE(rb.warnings.isEmpty());
            ASSERT_GE(b.firstVideoStream(), 0);
            EXPECT_EQ(b.stream(b.firstVideoStream()).image.size(), QSize(72, 72));
        } else {
            EXPECT_EQ(ra.warnings, rb.warnings);
        }
        EXPECT_EQ(ra.streamInfoText, rb.streamInfoText);
        EXPECT_EQ(a.duration(), b.duration());
        ASSERT_EQ(a.streamCount(), b.streamCount());
        for (int i = 0; i < a.streamCount(); ++i) {
            const StreamRecord& x = a.stream(i);
            const StreamRecord& y = b.stream(i);
            EXPECT_EQ(x.type, y.type) << i;
            EXPECT_EQ(x.index, y.index) << i;
            EXPECT_EQ(x.bitRate, y.bitRate) << i;
            EXPECT_EQ(x.compression, y.compression) << i;
            EXPECT_EQ(x.fps, y.fps) << i;
            EXPECT_EQ(x.width, y.width) << i;
            EXPECT_EQ(x.height, y.height) << i;
            EXPECT_EQ(x.sourceAR, y.sourceAR) << i;
            EXPECT_EQ(x.displayAR, y.displayAR) << i;
            EXPECT_EQ(x.interlaced, y.interlaced) << i;
            EXPECT_EQ(x.channels, y.channels) << i;
            EXPECT_EQ(x.sampleRate, y.sampleRate) << i;
            EXPECT_EQ(x.delay, y.delay) << i;
            if (cover) {
                continue;
            }
            EXPECT_EQ(x.image.size(), y.image.size()) << i;
            EXPECT_EQ(x.image.isNull(), y.image.isNull()) << i;
            EXPECT_EQ(x.image == s_pictures->defaultVideoPicture,
                      y.image == s_pictures->defaultVideoPicture)
                << i;
        }
    }
    EXPECT_GT(worker.answered(), everyFile().size());
}

TEST_F(ProbeWorkerRunnerTest, ThumbnailIsDrawnAtTheAskedSizeFromAboutTheAskedTime)
{
    ProbeWorkerRunner worker(m_programs, Worker);
    struct Case
    {
        const char* name;
        QSize size;
        float seconds;
    };
    for (const Case& c : {Case{"a.avi", {90, 68}, 0.2f}, Case{"wide.mkv", {90, 52}, 1.9f},
                          Case{"turned.mp4", {54, 72}, 0.0f}, Case{"cover.mp3", {90, 90}, 0.2f}}) {
        const QString out = file("thumb.jpg");
        QFile::remove(out);
        QString program = korvane::findTool("ffmpeg");
        ASSERT_TRUE(worker.shellAndWait(
            program, DecoderProbe::thumbnailArguments(file(c.name), c.size.width(), c.size.height(),
                                                      c.seconds, out)))
            << c.name;
        const QImage picture(out, "jpeg");
        EXPECT_EQ(picture.size(), c.size) << c.name;
    }
    EXPECT_EQ(worker.answered(), 4);
}

TEST_F(ProbeWorkerRunnerTest, OtherCommandsAndAMissingWorkerGoToThePrograms)
{
    FakeProcessRunner programs;
    ProbeWorkerRunner missing(programs, file("no-such-worker"));
    ASSERT_TRUE(missing.runPipedCommand(describeCommand("a.avi"), file("c.txt")));
    ASSERT_TRUE(missing.runPipedCommand({"/usr/bin/mpgtx", "-i", file("a.mpg")}, file("c.txt")));
    EXPECT_EQ(programs.calls().size(), 2);
    EXPECT_EQ(missing.answered(), 0);

    FakeProcessRunner others;
    ProbeWorkerRunner worker(others, Worker);
    ASSERT_TRUE(worker.runPipedCommand({"/usr/bin/mpgtx", "-i", file("a.mpg")}, file("c.txt")));
    ASSERT_TRUE(worker.runPipedCommand(describeCommand("a.avi"), file("c.txt")));
    EXPECT_EQ(others.calls().size(), 1);
    EXPECT_EQ(worker.answered(), 1);
}

TEST_F(ProbeWorkerRunnerTest, NoProbeStartsNoWorker)
{
    ProbeWorkerRunner worker(m_programs, Worker);
    EXPECT_EQ(worker.client().starts(), 0);
    EXPECT_EQ(worker.client().workerPid(), -1);
}

// A decoder that crashes or hangs on one file costs that file only, whatever runs beside it.
TEST_F(ProbeWorkerRunnerTest, CrashOrHangCostsThatFileOnly)
{
    struct Case
    {
        const char* name;
        int error;
    };
    for (const Case& c : {Case{"bad.crash", korvane::RunnerError::WaitFailed},
                          Case{"bad.hang", korvane::RunnerError::TimeLimitExceeded}}) {
        SCOPED_TRACE(c.name);
        const QStringList goodNames = {"a.mp4", "a.avi", "a.mka", "a.mpg", "wide.mkv", "a.wav"};
        ProbeWorkerRunner worker(m_programs, DebugWorker);
        ASSERT_TRUE(worker.client().available());
        std::vector<std::future<bool>> good;
        for (const QString& name : goodNames) {
            good.push_back(std::async(std::launch::async, [&, name] {
                return worker.runPipedCommand(describeCommand(name), file(name + ".txt"), QString(),
                                              std::chrono::seconds(30));
            }));
        }
        int error = 0;
        try {
            worker.runPipedCommand(describeCommand(c.name), file("bad.txt"), QString(),
                                   std::chrono::milliseconds(1500));
        } catch (const korvane::RunnerError& e) {
            error = e.number();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(QFile::exists(file("bad.txt")));
        for (auto& f : good) {
            EXPECT_TRUE(f.get());
        }
        for (const QString& name : goodNames) {
            EXPECT_TRUE(readAll(file(name + ".txt")).contains("Input #0")) << name.toStdString();
        }
        // The next file finds a new worker.
        ASSERT_TRUE(worker.runPipedCommand(describeCommand("a.avi"), file("after.txt")));
        EXPECT_TRUE(readAll(file("after.txt")).contains("Input #0"));
        EXPECT_GE(worker.client().starts(), 2);
    }
}

TEST(ProbeWorkerChoice, ProgramPathIsChosenByTheEnvironment)
{
    struct Case
    {
        const char* value;
        bool worker;
    };
    const QByteArray saved = qgetenv("KORVANE_PROBE");
    for (const Case& c :
         {Case{nullptr, true}, Case{"program", false}, Case{"worker", true}, Case{"", true}}) {
        if (c.value == nullptr) {
            qunsetenv("KORVANE_PROBE");
        } else {
            qputenv("KORVANE_PROBE", c.value);
        }
        EXPECT_EQ(ProbeWorkerRunner::wanted(), c.worker) << (c.value ? c.value : "(unset)");
    }
    if (saved.isNull()) {
        qunsetenv("KORVANE_PROBE");
    } else {
        qputenv("KORVANE_PROBE", saved);
    }
}

} // namespace

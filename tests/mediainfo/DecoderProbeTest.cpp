#include "mediainfo/DecoderProbe.h"

#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderProber.h"
#include "mediainfo/DefaultPictures.h"
#include "mediainfo/MediaSource.h"
#include "mediainfo/ProbeResult.h"
#include "mediainfo/RiffBuilder.h"
#include "util/FakeProcessRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMutex>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using korvane::test::FakeProcessRunner;

namespace {

QString summary(const QString& streams, const QString& duration = "00:00:10.00")
{
    return "Input #0, avi, from 'x':\n  Duration: " + duration +
           ", start: 0.000000, bitrate: 9 kb/s\n" + streams;
}

const QString kVideo = "  Stream #0:0: Video: mpeg4, yuv420p, 720x576, 25 fps\n";
const QString kAudio = "  Stream #0:1: Audio: mp3, 44100 Hz, stereo, 128 kb/s\n";

class DecoderProbeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_media.isValid());
        ASSERT_TRUE(m_scratch.isValid());
        m_probe.setPrograms("ffmpeg-fake", "mpgtx-fake");
        m_probe.setScratchRoot(m_scratch.path());
        m_runner.respond = [this](const QStringList& command) -> std::optional<QByteArray> {
            if (command.value(0) == "mpgtx-fake") {
                return m_mpgtxOutput.toUtf8();
            }
            return m_decoderOutput.toUtf8();
        };
        // Stands in for the decoder drawing a frame: a picture of the asked size, or nothing.
        m_runner.shell = [this](const QString&, const QStringList& parameters) {
            const QStringList size = parameters.value(parameters.indexOf("-s") + 1).split('x');
            {
                QMutexLocker lock(&m_mutex);
                m_seconds << parameters.value(parameters.indexOf("-ss") + 1);
            }
            if (m_thumbnailBytes) {
                QFile file(parameters.last());
                file.open(QIODevice::WriteOnly);
                file.write(*m_thumbnailBytes);
            } else if (m_drawThumbnails) {
                QImage image(size.value(0).toInt(), size.value(1).toInt(), QImage::Format_RGB32);
                image.fill(Qt::red);
                image.save(parameters.last(), "JPG");
            }
            return true;
        };
    }

    QString mediaFile(const QString& name, qint64 size = 100)
    {
        const QString path = m_media.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.resize(size);
        return path;
    }

    bool probe(const QString& path)
    {
        m_source = MediaSource();
        m_result = ProbeResult();
        return m_probe.describe(path, m_source, m_result);
    }

    bool scratchIsEmpty() const
    {
        return QDir(m_scratch.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty();
    }

    QTemporaryDir m_media;
    QTemporaryDir m_scratch;
    FakeProcessRunner m_runner;
    CodecMaps m_maps;
    DefaultPictures m_pictures = DefaultPictures::loadFrom(KORVANE_SOURCE_DIR "/data");
    DecoderProbe m_probe{m_runner, m_maps, m_pictures};
    QString m_decoderOutput;
    QString m_mpgtxOutput;
    bool m_drawThumbnails = true;
    std::optional<QByteArray> m_thumbnailBytes;
    QMutex m_mutex;
    QStringList m_seconds;
    MediaSource m_source;
    ProbeResult m_result;
};

} // namespace

TEST(DecoderProbeArithmetic, ThumbnailFitsTheBoxWithEvenSides)
{
    EXPECT_EQ(DecoderProbe::thumbnailSize(720, 576), QSize(90, 72));
    EXPECT_EQ(DecoderProbe::thumbnailSize(1920, 1080), QSize(90, 52));
    EXPECT_EQ(DecoderProbe::thumbnailSize(480, 640), QSize(54, 72));
    EXPECT_EQ(DecoderProbe::thumbnailSize(160, 120), QSize(90, 68));
    EXPECT_EQ(DecoderProbe::thumbnailSize(90, 72), QSize(90, 72));
    EXPECT_EQ(DecoderProbe::thumbnailSize(45, 36), QSize(90, 72));
    EXPECT_EQ(DecoderProbe::thumbnailSize(7, 0), QSize(8, 0));
}

TEST(DecoderProbeArithmetic, ThumbnailPositionAndItsText)
{
    EXPECT_EQ(DecoderProbe::thumbnailSeconds(1.5f), 1.0f);
    EXPECT_EQ(DecoderProbe::thumbnailSeconds(1.99f), 1.0f);
    EXPECT_FLOAT_EQ(DecoderProbe::thumbnailSeconds(2.0f), 0.2f);
    EXPECT_FLOAT_EQ(DecoderProbe::thumbnailSeconds(125.0f), 12.5f);
    EXPECT_EQ(DecoderProbe::thumbnailSeconds(1.0f), 0.0f);
    EXPECT_EQ(DecoderProbe::thumbnailSeconds(0.2f), 0.0f);
    EXPECT_EQ(DecoderProbe::commandNumber(1.0f), "1");
    EXPECT_EQ(DecoderProbe::commandNumber(12.5f), "12.5");
    EXPECT_EQ(DecoderProbe::commandNumber(0.2f), "0.2");
    EXPECT_EQ(DecoderProbe::commandNumber(1234.5678f), "1234.568");
}

TEST(DecoderProbeArithmetic, CommandsNameTheFileSoItIsNeverAnOption)
{
    const QString cwd = QDir::currentPath();
    EXPECT_EQ(DecoderProbe::probeArguments("/m/a b.avi"),
              QStringList({"-i", "file:/m/a b.avi", "-analyzeduration", "30000"}));
    EXPECT_EQ(DecoderProbe::decoderInput("-rf.avi"), "file:" + cwd + "/-rf.avi");
    EXPECT_EQ(DecoderProbe::decoderInput("http:x.avi"), "file:" + cwd + "/http:x.avi");
    EXPECT_EQ(DecoderProbe::thumbnailArguments("/m/x.mkv", 90, 52, 0.0f, "/s/t.jpg").first(),
              "-analyzeduration");
    EXPECT_EQ(DecoderProbe::thumbnailArguments("/m/x.mkv", 90, 52, 12.5f, "/s/t.jpg"),
              QStringList({"-ss", "12.5", "-analyzeduration", "5M", "-i", "file:/m/x.mkv",
                           "-frames:v", "1", "-an", "-sws_flags", "fast_bilinear", "-s", "90x52",
                           "-f", "image2", "-y", "/s/t.jpg"}));
}

TEST_F(DecoderProbeTest, AcceptedFileGetsDescriptionPicturesAndStamp)
{
    m_decoderOutput = summary(kVideo + kAudio);
    const QString path = mediaFile("clip.avi");
    ASSERT_TRUE(probe(path)) << m_result.lastProbeError.toStdString();
    EXPECT_TRUE(m_result.warnings.isEmpty());
    EXPECT_TRUE(m_result.lastProbeError.isEmpty());
    EXPECT_EQ(m_source.fileName(), path);
    EXPECT_FALSE(m_source.timeStamp().isEmpty());
    EXPECT_FALSE(m_source.isAvi());
    ASSERT_EQ(m_source.streamCount(), 2);
    const StreamRecord& video = m_source.stream(0);
    EXPECT_EQ(video.sourceAR, 1.25f);
    EXPECT_EQ(video.displayAR, 1.0f);
    EXPECT_EQ(video.image.size(), QSize(90, 72));
    EXPECT_EQ(m_result.currentPicture.size(), QSize(90, 72));
    EXPECT_TRUE(m_source.stream(1).image.isNull());
    EXPECT_EQ(m_result.streamInfoText, m_source.streamInfoText());
    EXPECT_TRUE(m_result.streamInfoText.startsWith("Stream information of " + path + "\r\n"));
    EXPECT_EQ(m_seconds, QStringList({"1"}));

    const QList<FakeProcessRunner::Call> calls = m_runner.calls();
    ASSERT_EQ(calls.size(), 1);
    const QString folder = QFileInfo(calls[0].outputFile).path();
    EXPECT_EQ(calls[0].command, QStringList({"ffmpeg-fake", "-i", "file:" + folder + "/media.avi",
                                             "-analyzeduration", "30000"}));
    EXPECT_TRUE(calls[0].outputFile.startsWith(m_scratch.path() + "/korvane-probe-"));
    EXPECT_TRUE(scratchIsEmpty());
}

TEST_F(DecoderProbeTest, EveryVideoStreamGetsItsOwnThumbnailAndTheLastOneIsShown)
{
    m_decoderOutput = summary("  Stream #0:0: Video: h264, yuv420p, 1920x1080, 25 fps\n"
                              "  Stream #0:1: Video: h264, yuv420p, 480x640, 25 fps\n",
                              "00:01:40.00");
    ASSERT_TRUE(probe(mediaFile("two.mkv")));
    EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 52));
    EXPECT_EQ(m_source.stream(1).image.size(), QSize(54, 72));
    EXPECT_EQ(m_result.currentPicture.size(), QSize(54, 72));
    EXPECT_EQ(m_seconds, QStringList({"10", "10"}));
    const QList<FakeProcessRunner::Call> shells = m_runner.shellCalls();
    ASSERT_EQ(shells.size(), 2);
    EXPECT_NE(shells[0].command.last(), shells[1].command.last());
}

TEST_F(DecoderProbeTest, MissingOrUnreadableThumbnailWarnsAndUsesTheDefaultPicture)
{
    m_decoderOutput = summary("  Stream #0:0: Audio: wmav3, 44100 Hz, stereo, 128 kb/s\n" + kVideo);
    m_maps.AudioCodecMap.insert("wmav3", "Windows Media Audio v9");
    const QString path = mediaFile("clip.wmv");
    m_drawThumbnails = false;
    ASSERT_TRUE(probe(path));
    const QStringList expected = {
        "The audio format Windows Media Audio v9 in file " + path +
            " is currently unsupported. It will not be added to the project.",
        "Cannot render thumbnail for " + path + ". The video codec may be unsupported."};
    EXPECT_EQ(m_result.warnings, expected);
    ASSERT_EQ(m_source.streamCount(), 1);
    EXPECT_EQ(m_source.stream(0).image, m_pictures.defaultVideoPicture);
    EXPECT_EQ(m_result.currentPicture, m_pictures.defaultVideoPicture);

    m_thumbnailBytes = QByteArray("not a picture");
    ASSERT_TRUE(probe(path));
    EXPECT_EQ(m_result.warnings.size(), 2);
    EXPECT_EQ(m_result.currentPicture, m_pictures.defaultVideoPicture);
    EXPECT_TRUE(scratchIsEmpty());
}

TEST_F(DecoderProbeTest, AudioOnlyFilesGetTheAudioPicture)
{
    m_decoderOutput = summary(kAudio);
    ASSERT_TRUE(probe(mediaFile("song.mp3")));
    EXPECT_EQ(m_result.currentPicture, m_pictures.defaultAudioPicture);
    EXPECT_EQ(m_source.stream(0).image, m_pictures.defaultAudioPicture);
    EXPECT_TRUE(m_runner.shellCalls().isEmpty());

    m_decoderOutput = summary(kAudio + "  Stream #0:2: Audio: aac, 48000 Hz, 5.1, 384 kb/s\n");
    ASSERT_TRUE(probe(mediaFile("two.mka")));
    EXPECT_EQ(m_result.currentPicture, m_pictures.defaultAudioPicture);
    EXPECT_EQ(m_source.stream(1).image, m_pictures.defaultAudioPicture);
}

TEST_F(DecoderProbeTest, UnusableVideoStreamsAreAllDroppedAndAudioStays)
{
    m_decoderOutput = summary("  Stream #0:0: Video: mpeg4, yuv420p, 160x120, 1k fps\n"
                              "  Stream #0:1: Video: mpeg4, yuv420p, 0x120, 25 fps\n"
                              "  Stream #0:2: Video: mpeg4, yuv420p, 160x0, 25 fps\n"
                              "  Stream #0:3: Video: mpeg4, yuv420p, 160x120, 251 fps\n"
                              "  Stream #0:4: Video: mpeg4, yuv420p, 160x120, 250 fps\n"
                              "  Stream #0:5: Audio: mp3, 44100 Hz, stereo, 128 kb/s\n");
    ASSERT_TRUE(probe(mediaFile("many.mkv")));
    ASSERT_EQ(m_source.streamCount(), 2);
    EXPECT_EQ(m_source.stream(0).index, 4);
    EXPECT_EQ(m_source.stream(1).index, 5);
}

TEST_F(DecoderProbeTest, FileWithNoStreamLeftIsRefused)
{
    for (const QString& streams :
         {QString(), QStringLiteral("  Stream #0:0: Video: mpeg4, yuv420p, 160x120, 1k fps\n"),
          QStringLiteral("  Stream #0:0: Audio: 0x0162, 8000 Hz, mono\n")}) {
        m_decoderOutput = summary(streams);
        EXPECT_FALSE(probe(mediaFile("x.avi"))) << streams.toStdString();
        EXPECT_EQ(m_result.lastProbeError, "Unsupported file format or the file is corrupted.");
        EXPECT_TRUE(m_result.streamInfoText.isEmpty());
    }
    EXPECT_TRUE(scratchIsEmpty());
}

TEST_F(DecoderProbeTest, AMissingFileIsSaidToBeMissing)
{
    for (const QString& path : {m_media.filePath("missing.mp4"), QString()}) {
        EXPECT_FALSE(probe(path));
        EXPECT_EQ(m_result.lastProbeError, "The file was not found.");
    }
    EXPECT_TRUE(m_runner.calls().isEmpty());
}

TEST_F(DecoderProbeTest, ANameThatWasNoTextIsSaidToBeSo)
{
    // "café" in Latin-1 on disk: decoded as UTF-8 its last byte became U+FFFD.
    const QByteArray bytes = QFile::encodeName(m_media.path()) + "/caf\xe9.mp4";
    ASSERT_TRUE(::close(::open(bytes.constData(), O_CREAT | O_WRONLY, 0600)) == 0);
    const QString decoded = QFile::decodeName(bytes);
    const bool decodedLossily = decoded.contains(QChar::ReplacementCharacter);
    EXPECT_FALSE(probe(decoded));
    // The temporary folder cannot name this file to remove it.
    ::unlink(bytes.constData());
    ASSERT_TRUE(decodedLossily);
    EXPECT_EQ(m_result.lastProbeError, DecoderProbe::NameNotTextReason);
    EXPECT_TRUE(m_runner.calls().isEmpty());
}

TEST_F(DecoderProbeTest, OnlyRegularFilesReachTheDecoder)
{
    m_decoderOutput = summary(kVideo + kAudio);
    const QString fifo = m_media.filePath("pipe.mp4");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString file = mediaFile("clip.mp4");
    ASSERT_TRUE(QFile::link(file, m_media.filePath("link.mp4")));
    ASSERT_TRUE(QDir(m_media.path()).mkdir("folder.mp4"));
    const struct
    {
        QString path;
        bool probed;
    } cases[] = {
        {fifo, false},
        {"/dev/zero", false},
        {m_media.filePath("folder.mp4"), false},
        {m_media.filePath("link.mp4"), true},
        {file, true},
    };
    for (const auto& c : cases) {
        const qsizetype before = m_runner.calls().size();
        const bool accepted = probe(c.path);
        EXPECT_EQ(accepted, c.probed) << c.path.toStdString();
        EXPECT_EQ(m_runner.calls().size() > before, c.probed) << c.path.toStdString();
        if (!c.probed) {
            EXPECT_EQ(m_result.lastProbeError, "Unsupported file format or the file is corrupted.")
                << c.path.toStdString();
        }
    }
}

TEST_F(DecoderProbeTest, RefusalsCarryTheScanReason)
{
    m_decoderOutput = summary("", "N/A");
    EXPECT_FALSE(probe(mediaFile("x.avi")));
    EXPECT_EQ(m_result.lastProbeError, "File may be incomplete or corrupted.");
    // With a stream, no duration is no reason to refuse: the file plays.
    m_decoderOutput = summary(kAudio, "N/A");
    EXPECT_TRUE(probe(mediaFile("x.avi")));
    EXPECT_EQ(m_source.duration(), 0.0f);
    m_decoderOutput = "x.avi: Invalid data found when processing input\n";
    EXPECT_FALSE(probe(mediaFile("x.avi")));
    EXPECT_EQ(m_result.lastProbeError, "Unsupported file format or the file is corrupted.");
    EXPECT_TRUE(m_runner.shellCalls().isEmpty());
}

TEST_F(DecoderProbeTest, MpegFilesTakeTheToolsValuesAndARateFromSizeAndDuration)
{
    m_decoderOutput = summary("  Stream #0:0[0x1e0]: Video: mpeg2video, yuv420p, 720x576, "
                              "104857 kb/s, 25 fps\n"
                              "  Stream #0:1[0x1c0]: Audio: mp2, 48000 Hz, stereo, 224 kb/s\n");
    m_mpgtxOutput = "  Aspect ratio 16/9\n 25 fps 9.8 Mbps\nInterlaced\n";
    const QString path = mediaFile("film.MPG", 10000000);
    ASSERT_TRUE(probe(path));
    const StreamRecord& video = m_source.stream(0);
    EXPECT_EQ(video.bitRate, 7776);
    EXPECT_EQ(video.displayAR, 16.0f / 9.0f);
    EXPECT_TRUE(video.interlaced);
    const QList<FakeProcessRunner::Call> calls = m_runner.calls();
    ASSERT_EQ(calls.size(), 2);
    const QString folder = QFileInfo(calls[1].outputFile).path();
    EXPECT_EQ(calls[1].command, QStringList({"mpgtx-fake", "-i", folder + "/media.mpg"}));
    EXPECT_EQ(calls[1].timeLimit, DecoderProbe::DefaultMpegToolTimeLimit);
    EXPECT_LT(calls[1].timeLimit, calls[0].timeLimit);
    EXPECT_NE(calls[0].outputFile, calls[1].outputFile);
    EXPECT_TRUE(scratchIsEmpty());
}

TEST_F(DecoderProbeTest, MpegWithoutDurationKeepsTheToolsRate)
{
    m_decoderOutput = "Input #0, mpeg, from 'x':\n"
                      "  Stream #0:0: Video: mpeg1video, yuv420p, 352x288, 25 fps\n";
    m_mpgtxOutput = " 25 fps 1.5 Mbps\n";
    ASSERT_TRUE(probe(mediaFile("x.mpeg", 5000)));
    EXPECT_EQ(m_source.stream(0).bitRate, 1500);
    ASSERT_EQ(m_runner.calls().size(), 2);
    ASSERT_TRUE(probe(mediaFile("x.mp4", 5000)));
    ASSERT_EQ(m_runner.calls().size(), 3);
    EXPECT_EQ(m_runner.calls().last().command.value(0), "ffmpeg-fake");
}

TEST_F(DecoderProbeTest, AviDelaysGoToTheAudioStreamWithThatNumber)
{
    using namespace korvane::test;
    const QByteArray video = streamHeader("vids") + riffChunk("strf", QByteArray(40, '\0'));
    const QByteArray audio = streamHeader("auds", 1, 48000) + audioFormat(0x2000, 48000);
    const QByteArray bytes =
        riffFile("AVI ", headerList({video, audio}) +
                             riffList("movi", riffChunk("01wb", audioData(600, 100, true))));
    const QString path = m_media.filePath("delay.avi");
    ASSERT_TRUE(writeBytes(path, bytes));
    // The video stream is dropped, so the audio record moves to place 0 but keeps number 1.
    m_decoderOutput = summary("  Stream #0:0: Video: mpeg4, yuv420p, 0x0, 25 fps\n" + kAudio);
    ASSERT_TRUE(probe(path));
    EXPECT_TRUE(m_source.isAvi());
    ASSERT_EQ(m_source.streamCount(), 1);
    EXPECT_EQ(m_source.stream(0).delay, 2);

    // Decoder numbers without an AVI stream, and AVI streams without a record, are ignored.
    m_decoderOutput = summary("  Stream #0:7: Audio: mp3, 44100 Hz, stereo, 128 kb/s\n");
    ASSERT_TRUE(probe(path));
    EXPECT_EQ(m_source.stream(0).delay, 0);
}

TEST_F(DecoderProbeTest, RunnerFailuresBecomeRefusalsAndLeaveNoScratch)
{
    DecoderProber prober(m_runner, m_maps, m_pictures);
    prober.decoderProbe().setPrograms("ffmpeg-fake", "mpgtx-fake");
    prober.decoderProbe().setScratchRoot(m_scratch.path());
    m_runner.respond = [](const QStringList&) {
        return std::optional<QByteArray>();
    };
    ProbeResult result;
    EXPECT_FALSE(prober.probe(mediaFile("x.avi"), result));
    EXPECT_EQ(result.lastProbeError, "Could not create piped process. LastError 2");
    EXPECT_TRUE(scratchIsEmpty());

    // The MPEG tool failing or overrunning its limit costs only its own values.
    for (const int number :
         {int(korvane::RunnerError::SpawnFailed), int(korvane::RunnerError::TimeLimitExceeded)}) {
        m_runner.respond = [number](const QStringList& command) -> std::optional<QByteArray> {
            if (command.value(0) == "mpgtx-fake") {
                throw korvane::RunnerError(number, QStringLiteral("no"));
            }
            return summary(kVideo).toUtf8();
        };
        MediaSource source;
        ProbeResult mpeg;
        EXPECT_TRUE(prober.describe(mediaFile("x.vob", 1000000), source, mpeg)) << number;
        ASSERT_EQ(source.streamCount(), 1);
        EXPECT_EQ(source.stream(0).width, 720);
        EXPECT_EQ(source.stream(0).fps, 25.0f);
        EXPECT_EQ(source.stream(0).displayAR, 1.0f);
        EXPECT_EQ(source.stream(0).bitRate, 800);
        EXPECT_TRUE(scratchIsEmpty());
    }
}

TEST_F(DecoderProbeTest, UnwritableScratchRootRefusesWithAReason)
{
    m_decoderOutput = summary(kAudio);
    m_probe.setScratchRoot(m_media.filePath("no/such/folder"));
    EXPECT_FALSE(probe(mediaFile("x.mp3")));
    EXPECT_TRUE(m_result.lastProbeError.startsWith("Could not create a scratch folder"));
    EXPECT_TRUE(m_runner.calls().isEmpty());
}

TEST_F(DecoderProbeTest, ProbesOnManyThreadsKeepTheirOwnResults)
{
    m_decoderOutput = summary(kVideo + kAudio);
    DecoderProber prober(m_runner, m_maps, m_pictures);
    prober.decoderProbe().setPrograms("ffmpeg-fake", "mpgtx-fake");
    prober.decoderProbe().setScratchRoot(m_scratch.path());
    constexpr int Threads = 6;
    constexpr int PerThread = 5;
    QStringList paths;
    for (int i = 0; i < Threads * PerThread; ++i) {
        paths << mediaFile(QStringLiteral("clip%1.avi").arg(i));
    }
    std::vector<ProbeResult> results(paths.size());
    std::vector<int> accepted(paths.size(), 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < PerThread; ++k) {
                const int i = t * PerThread + k;
                accepted[i] = prober.probe(paths[i], results[i]) ? 1 : 0;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(accepted[i], 1) << i;
        EXPECT_TRUE(
            results[i].streamInfoText.startsWith("Stream information of " + paths[i] + "\r\n"));
        EXPECT_EQ(results[i].currentPicture.size(), QSize(90, 72));
    }
    EXPECT_TRUE(scratchIsEmpty());
}

TEST_F(DecoderProbeTest, ToolsSeeOnlyASafelyNamedLinkToTheFile)
{
    struct Case
    {
        const char* name;
        const char* link;
    };
    const Case cases[] = {
        {"plain.MPG", "media.mpg"},
        {"two\nlines\r\n  Stream #0:5: Audio: mp3, 44100 Hz, stereo.vob", "media.vob"},
        {"-i file:x \"quoted\" $(id).avi", "media.avi"},
        {"odd.ext with blank", "media"},
        {"no extension", "media"},
    };
    m_decoderOutput = summary(kVideo);
    m_mpgtxOutput = "  Aspect ratio 16/9\n";
    for (const Case& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        SCOPED_TRACE(name.toStdString());
        const QString path = mediaFile(name);
        QStringList seen;
        m_runner.respond = [&](const QStringList& command) -> std::optional<QByteArray> {
            for (const QString& argument : command) {
                QString file = argument;
                file.remove(QRegularExpression("^file:"));
                if (QFileInfo(file).isSymLink()) {
                    EXPECT_EQ(QFileInfo(file).symLinkTarget(), QFileInfo(path).absoluteFilePath());
                    seen << QFileInfo(file).fileName();
                }
            }
            for (const QString& argument : command) {
                EXPECT_FALSE(argument.contains(name)) << argument.toStdString();
            }
            return (command.value(0) == "mpgtx-fake" ? m_mpgtxOutput : m_decoderOutput).toUtf8();
        };
        ASSERT_TRUE(probe(path)) << m_result.lastProbeError.toStdString();
        EXPECT_EQ(m_source.fileName(), path);
        EXPECT_EQ(m_source.streamCount(), 1);
        const bool mpeg = name.endsWith(".vob") || name.endsWith(".MPG");
        EXPECT_EQ(seen.size(), mpeg ? 2 : 1);
        for (const QString& link : std::as_const(seen)) {
            EXPECT_EQ(link, c.link);
        }
        for (const FakeProcessRunner::Call& call : m_runner.shellCalls()) {
            EXPECT_FALSE(call.command.join(' ').contains(name));
        }
        EXPECT_TRUE(scratchIsEmpty());
    }
}

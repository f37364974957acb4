#include "GeneratedMedia.h"
#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderProber.h"
#include "mediainfo/DefaultPictures.h"
#include "mediainfo/MediaSource.h"
#include "mediainfo/ProbeResult.h"
#include "util/PosixProcessRunner.h"
#include "util/SupportedFiles.h"
#include "util/ToolPaths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace korvane::test;

namespace {

struct Expectation
{
    MediaRecipe recipe;
    QList<int> types; // stream types in order
    QSize thumbnail;  // of the first video stream
    int sampleRate = 44100;
};

QList<Expectation> everyExtension()
{
    const QStringList h264 = {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
    const QStringList aac = {"-c:a", "aac"};
    const QSize small(90, 68);
    auto av = [&](const QString& name, QStringList args, QSize thumb = QSize(90, 68),
                  const QString& size = "160x120") {
        return Expectation{{name, args, true, true, size}, {2, 1}, thumb};
    };
    auto audioOnly = [](const QString& name, QStringList args) {
        return Expectation{{name, args, false, true}, {1}, QSize()};
    };
    const QStringList mpegPs = {"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"};
    const QStringList mov = h264 + aac + QStringList{"-f", "mov"};
    const QStringList threeGp = {"-c:v", "h263", "-c:a", "aac", "-ar", "8000", "-ac", "1"};
    QList<Expectation> list = {
        audioOnly("a.wav", {"-c:a", "pcm_s16le"}),
        av("a.flv", {"-c:v", "flv1", "-c:a", "libmp3lame"}),
        audioOnly("a.mka", {"-c:a", "libvorbis"}),
        av("a.mkv", h264 + aac, QSize(90, 72), "720x576"),
        audioOnly("a.mp3", {"-c:a", "libmp3lame"}),
        av("a.mpg", mpegPs),
        av("a.mpe", mpegPs),
        av("a.mpeg", mpegPs),
        audioOnly("a.aac", {"-c:a", "aac", "-f", "adts"}),
        av("a.mp4", h264 + aac, QSize(54, 72), "480x640"),
        Expectation{{"a.m4v", h264 + QStringList{"-f", "mp4"}, true, false}, {2}, small},
        audioOnly("a.m4a", {"-c:a", "aac", "-f", "mp4"}),
        av("a.ogm", {"-c:v", "libtheora", "-c:a", "libvorbis", "-f", "ogg"}),
        av("a.ogg", {"-c:v", "libtheora", "-c:a", "libvorbis"}),
        av("a.mov", mov),
        av("a.hdmov", mov),
        av("a.qt", mov),
        av("a.3gp", threeGp + QStringList{"-f", "3gp"}, QSize(88, 72), "176x144"),
        av("a.3gpp", threeGp + QStringList{"-f", "3gp"}, QSize(88, 72), "176x144"),
        av("a.3g2", threeGp + QStringList{"-f", "3g2"}, QSize(88, 72), "176x144"),
        av("a.avi", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}),
        audioOnly("a.wma", {"-c:a", "wmav2", "-f", "asf"}),
        av("a.wmv", {"-c:v", "wmv2", "-c:a", "wmav2"}),
        av("a.asf", {"-c:v", "wmv1", "-c:a", "wmav1"}),
    };
    for (Expectation& e : list) {
        if (e.recipe.name.startsWith("a.3g")) {
            e.sampleRate = 8000;
        }
    }
    return list;
}

class DecoderProbeEndToEnd : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        s_maps = std::make_unique<CodecMaps>(CodecMaps::loadFrom(KORVANE_SOURCE_DIR "/data"));
        s_pictures = std::make_unique<DefaultPictures>(
            DefaultPictures::loadFrom(KORVANE_SOURCE_DIR "/data"));
    }
    static void TearDownTestSuite()
    {
        s_dir.reset();
        s_maps.reset();
        s_pictures.reset();
    }

    bool describe(const QString& path)
    {
        m_source = MediaSource();
        m_result = ProbeResult();
        return m_prober.describe(path, m_source, m_result);
    }
    static QString file(const QString& name) { return s_dir->filePath(name); }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<CodecMaps> s_maps;
    static inline std::unique_ptr<DefaultPictures> s_pictures;
    korvane::PosixProcessRunner m_runner;
    DecoderProber m_prober{m_runner, *s_maps, *s_pictures};
    MediaSource m_source;
    ProbeResult m_result;
};

} // namespace

TEST_F(DecoderProbeEndToEnd, EveryExtensionTheDecoderCanWriteIsDescribed)
{
    for (const Expectation& e : everyExtension()) {
        SCOPED_TRACE(e.recipe.name.toStdString());
        ASSERT_TRUE(generateMedia(s_dir->path(), e.recipe));
        const QString path = file(e.recipe.name);
        ASSERT_TRUE(describe(path)) << m_result.lastProbeError.toStdString();
        EXPECT_TRUE(m_result.warnings.isEmpty()) << m_result.warnings.join('\n').toStdString();
        EXPECT_NEAR(m_source.duration(), 2.0, 0.15);
        EXPECT_EQ(m_source.isAvi(), e.recipe.name.endsWith(".avi"));
        QList<int> types;
        for (const StreamRecord& s : m_source.streams()) {
            types << s.type;
        }
        std::sort(types.begin(), types.end(), std::greater<>());
        EXPECT_EQ(types, e.types);
        for (const StreamRecord& s : m_source.streams()) {
            if (s.isVideo()) {
                const QStringList size = e.recipe.size.split('x');
                EXPECT_EQ(s.width, size[0].toInt());
                EXPECT_EQ(s.height, size[1].toInt());
                EXPECT_FLOAT_EQ(s.fps, 25.0f);
                EXPECT_EQ(s.image.size(), e.thumbnail);
                EXPECT_NE(s.image, s_pictures->defaultVideoPicture);
                EXPECT_EQ(m_result.currentPicture, s.image);
            } else {
                EXPECT_EQ(s.sampleRate, e.sampleRate);
                EXPECT_GE(s.channels, 1);
                EXPECT_FALSE(s.compression.isEmpty());
                if (e.recipe.name.endsWith(".avi")) {
                    EXPECT_GE(s.delay, -2);
                }
            }
        }
        if (!e.types.contains(2)) {
            EXPECT_EQ(m_result.currentPicture, s_pictures->defaultAudioPicture);
        }
        // "mpe" is not among the extensions that get the MPEG tool.
        if (e.recipe.name == "a.mpg" || e.recipe.name == "a.mpeg") {
            const int video = m_source.firstVideoStream();
            ASSERT_GE(video, 0);
            // From the file's size and duration, not the decoder's ceiling figure.
            EXPECT_GT(m_source.stream(video).bitRate, 50);
            EXPECT_LT(m_source.stream(video).bitRate, 5000);
        }
        EXPECT_TRUE(m_result.streamInfoText.startsWith("Stream information of " + path));
    }
}

TEST_F(DecoderProbeEndToEnd, WideShortAndThousandFrameVideos)
{
    ASSERT_TRUE(generateMedia(
        s_dir->path(),
        {"hd.mkv", {"-c:v", "libx264", "-preset", "ultrafast"}, true, false, "1920x1080", "2"}));
    ASSERT_TRUE(describe(file("hd.mkv"))) << m_result.lastProbeError.toStdString();
    EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 52));
    EXPECT_EQ(m_source.stream(0).sourceAR, 1920.0f / 1080.0f);

    // A thousand frames a second is not a video to show; with sound the file stays.
    ASSERT_TRUE(generateMedia(
        s_dir->path(),
        {"fast.avi", {"-c:v", "mpeg4", "-c:a", "pcm_s16le"}, true, true, "160x120", "1000"}));
    ASSERT_TRUE(describe(file("fast.avi"))) << m_result.lastProbeError.toStdString();
    ASSERT_EQ(m_source.streamCount(), 1);
    EXPECT_TRUE(m_source.stream(0).isAudio());
    EXPECT_EQ(m_result.currentPicture, s_pictures->defaultAudioPicture);

    ASSERT_TRUE(generateMedia(
        s_dir->path(), {"fast-mute.avi", {"-c:v", "mpeg4"}, true, false, "160x120", "1000"}));
    EXPECT_FALSE(describe(file("fast-mute.avi")));
    EXPECT_EQ(m_result.lastProbeError, "Unsupported file format or the file is corrupted.");
}

TEST_F(DecoderProbeEndToEnd, BrokenFilesAreRefusedWithTheReason)
{
    ASSERT_TRUE(generateMedia(s_dir->path(), {"whole.mp4", {"-c:v", "mpeg4"}, true, true}));
    QFile whole(file("whole.mp4"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QByteArray random(20000, '\0');
    QRandomGenerator generator(7);
    for (char& c : random) {
        c = char(generator.bounded(256));
    }
    ASSERT_TRUE(writeFile(file("empty.avi"), QByteArray()));
    ASSERT_TRUE(writeFile(file("cut.mp4"), whole.read(3000)));
    ASSERT_TRUE(writeFile(file("noise.avi"), random));
    ASSERT_TRUE(writeFile(file("words.mkv"), "Nothing to see here.\n"));
    for (const char* name : {"empty.avi", "cut.mp4", "noise.avi", "words.mkv"}) {
        EXPECT_FALSE(describe(file(QLatin1String(name)))) << name;
        EXPECT_EQ(m_result.lastProbeError, "Unsupported file format or the file is corrupted.")
            << name;
        EXPECT_TRUE(m_result.streamInfoText.isEmpty());
    }
}

TEST_F(DecoderProbeEndToEnd, TheFurtherExtensionsAreDescribedAndTextUnderThemIsRefused)
{
    const struct
    {
        MediaRecipe recipe;
        int streams;
    } media[] = {
        {{"b.webm", {"-c:v", "libvpx", "-deadline", "realtime", "-c:a", "libvorbis"}}, 2},
        {{"b.flac", {"-c:a", "flac"}, false, true}, 1},
        {{"b.opus", {"-c:a", "libopus"}, false, true}, 1},
        {{"b.ts", {"-c:v", "mpeg2video", "-c:a", "mp2"}}, 2},
        {{"b.ac3", {"-c:a", "ac3"}, false, true}, 1},
        {{"b.wv", {"-c:a", "wavpack"}, false, true}, 1},
    };
    for (const auto& m : media) {
        SCOPED_TRACE(m.recipe.name.toStdString());
        ASSERT_TRUE(generateMedia(s_dir->path(), m.recipe));
        ASSERT_TRUE(describe(file(m.recipe.name))) << m_result.lastProbeError.toStdString();
        EXPECT_EQ(m_source.streamCount(), m.streams);
    }
    // Every extension beyond the 24, raw formats with a weak signature included.
    for (const QString& ext : MediaExtensions().mid(SupportedExtensions().size())) {
        const QString name = file("words." + ext);
        ASSERT_TRUE(writeFile(name, "Nothing to see here.\n"));
        EXPECT_FALSE(describe(name)) << ext.toStdString();
        EXPECT_EQ(m_result.lastProbeError, "Unsupported file format or the file is corrupted.")
            << ext.toStdString();
    }
}

TEST_F(DecoderProbeEndToEnd, AwkwardNamesWork)
{
    const MediaRecipe base{"plain.mkv", {"-c:v", "mpeg4", "-c:a", "libvorbis"}};
    ASSERT_TRUE(generateMedia(s_dir->path(), base));
    QDir(s_dir->path()).mkdir("Inputs");
    const QStringList names = {"with blanks  here.mkv",
                               "it's \"quoted\".mkv",
                               "$HOME and $(ls).mkv",
                               "-leading dash.mkv",
                               QString::fromUtf8("Ünïcødé 日本語.mkv"),
                               "100%d %s.mkv",
                               "Inputs/Unknown format.mkv",
                               "back\\slash;|&.mkv",
                               "file:colon.mkv",
                               "x\n  Stream #0:5: Audio: mp3, 44100 Hz, stereo, fltp\n.mkv",
                               "cr\r  Duration: 09:00:00.00, start: 9.0\r.mkv"};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(QFile::copy(file("plain.mkv"), file(name)));
        ASSERT_TRUE(describe(file(name))) << m_result.lastProbeError.toStdString();
        EXPECT_EQ(m_source.streamCount(), 2);
        EXPECT_EQ(m_source.fileName(), file(name));
        EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 68));
        EXPECT_TRUE(m_result.warnings.isEmpty());
    }
    // A relative name that starts with a dash is still a file, not an option.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(s_dir->path()));
    const bool accepted = describe("-leading dash.mkv");
    QDir::setCurrent(before);
    EXPECT_TRUE(accepted) << m_result.lastProbeError.toStdString();
    EXPECT_EQ(m_source.fileName(), "-leading dash.mkv");
    EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 68));
}

namespace {

// Turns the first track of an MP4 file by its display matrix, as a phone held upright does.
bool turnQuarter(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return false;
    }
    QByteArray bytes = file.readAll();
    const qsizetype box = bytes.indexOf("tkhd");
    if (box < 0) {
        return false;
    }
    const bool version1 = bytes[box + 4] == 1;
    const qsizetype matrix = box + 4 + 4 + (version1 ? 20 : 12) + 4 + (version1 ? 8 : 4) + 8 + 8;
    const quint32 values[9] = {0, 0x10000, 0, 0xFFFF0000u, 0, 0, 0, 0, 0x40000000};
    for (int i = 0; i < 9; ++i) {
        for (int b = 0; b < 4; ++b) {
            bytes[matrix + i * 4 + b] = char((values[i] >> (24 - 8 * b)) & 0xff);
        }
    }
    return file.seek(0) && file.write(bytes) == bytes.size();
}

// The decoder writing Matroska to a pipe, as browser and screen recorders do: no duration.
bool recordToPipe(const QString& path)
{
    QProcess process;
    process.setStandardOutputFile(path);
    process.start("ffmpeg",
                  {"-nostdin", "-v", "error", "-f", "lavfi", "-i", "testsrc=d=1:s=160x120:r=25",
                   "-c:v", "mpeg4", "-f", "matroska", "pipe:1"});
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

} // namespace

TEST_F(DecoderProbeEndToEnd, TodaysFilesAreDescribed)
{
    const QString cover = file("cover.png");
    ASSERT_TRUE(generateMedia(
        s_dir->path(), {"cover.png", {"-frames:v", "1", "-update", "1"}, true, false, "160x120"}));
    const QStringList withCover = {"-i",   cover, "-map",           "0:a",
                                   "-map", "1:v", "-disposition:v", "attached_pic"};
    struct Case
    {
        MediaRecipe recipe;
        int videoStreams;
        int audioStreams;
        QSize thumbnail; // of the first video stream; empty for the audio picture
        bool zeroDuration = false;
    };
    const QStringList titles = {"-metadata", "title=Stream #0:3: Audio: mp3, 44100 Hz, stereo",
                                "-metadata", "comment=x, start: 99.000000, y",
                                "-metadata", "artist=Unknown format"};
    const QList<Case> cases = {
        {{"cover.mp3", withCover + QStringList{"-c:a", "libmp3lame", "-c:v", "mjpeg"}, false, true},
         1,
         1,
         QSize(90, 68)},
        {{"cover.m4a", withCover + QStringList{"-c:a", "aac", "-c:v", "png"}, false, true},
         1,
         1,
         QSize(90, 68)},
        {{"cover.mka",
          {"-c:a", "libvorbis", "-attach", cover, "-metadata:s:t", "mimetype=image/png"},
          false,
          true},
         1,
         1,
         QSize(90, 68)},
        {{"gbrp.mkv", {"-c:v", "utvideo", "-pix_fmt", "gbrp"}, true, false}, 1, 0, QSize(90, 68)},
        {{"nv12.nut", {"-c:v", "rawvideo", "-pix_fmt", "nv12"}, true, false}, 1, 0, QSize(90, 68)},
        {{"grain.mkv",
          {"-c:v", "libsvtav1", "-svtav1-params", "film-grain=8", "-preset", "12"},
          true,
          false},
         1,
         0,
         QSize(90, 68)},
        {{"lossless.avi", {"-c:v", "ljpeg", "-pix_fmt", "bgr0"}, true, false}, 1, 0, QSize(90, 68)},
        {{"titles.mkv", QStringList{"-c:v", "mpeg4", "-c:a", "libvorbis"} + titles},
         1,
         1,
         QSize(90, 68)},
        {{"short.wav", {"-t", "0.05", "-c:a", "pcm_s16le"}, false, true}, 0, 1, QSize(), true},
        {{"one-frame.mkv", {"-frames:v", "1", "-c:v", "mpeg4"}, true, false},
         1,
         0,
         QSize(90, 68),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recipe.name.toStdString());
        ASSERT_TRUE(generateMedia(s_dir->path(), c.recipe));
        ASSERT_TRUE(describe(file(c.recipe.name))) << m_result.lastProbeError.toStdString();
        EXPECT_TRUE(m_result.warnings.isEmpty()) << m_result.warnings.join('\n').toStdString();
        int video = 0;
        int audio = 0;
        for (const StreamRecord& s : m_source.streams()) {
            video += s.isVideo() ? 1 : 0;
            audio += s.isAudio() ? 1 : 0;
        }
        EXPECT_EQ(video, c.videoStreams);
        EXPECT_EQ(audio, c.audioStreams);
        if (c.zeroDuration) {
            EXPECT_EQ(m_source.duration(), 0.0f);
        }
        EXPECT_LT(m_source.startTime(), 1.0f); // a title's "start: 99" is not the decoder's
        const int first = m_source.firstVideoStream();
        if (c.videoStreams > 0) {
            ASSERT_GE(first, 0);
            EXPECT_EQ(m_source.stream(first).width, 160);
            EXPECT_EQ(m_source.stream(first).height, 120);
            EXPECT_EQ(m_source.stream(first).image.size(), c.thumbnail);
            EXPECT_NE(m_source.stream(first).image, s_pictures->defaultVideoPicture);
            EXPECT_EQ(m_result.currentPicture, m_source.stream(first).image);
        } else {
            EXPECT_EQ(m_result.currentPicture, s_pictures->defaultAudioPicture);
        }
    }
}

TEST_F(DecoderProbeEndToEnd, TurnedPhoneVideoGetsAnUprightThumbnail)
{
    ASSERT_TRUE(generateMedia(s_dir->path(),
                              {"phone.mp4",
                               {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"},
                               true,
                               true,
                               "320x180"}));
    ASSERT_TRUE(turnQuarter(file("phone.mp4")));
    ASSERT_TRUE(describe(file("phone.mp4"))) << m_result.lastProbeError.toStdString();
    const int video = m_source.firstVideoStream();
    ASSERT_GE(video, 0);
    EXPECT_EQ(m_source.stream(video).rotation, 270);
    EXPECT_EQ(m_source.stream(video).image.size(), QSize(40, 72));
}

TEST_F(DecoderProbeEndToEnd, MatroskaWrittenToAPipeHasNoDurationAndIsTaken)
{
    ASSERT_TRUE(recordToPipe(file("recorded.mkv")));
    ASSERT_TRUE(describe(file("recorded.mkv"))) << m_result.lastProbeError.toStdString();
    EXPECT_EQ(m_source.duration(), 0.0f);
    ASSERT_EQ(m_source.streamCount(), 1);
    EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 68));
}

TEST_F(DecoderProbeEndToEnd, UnknownAudioTagIsReportedAndLeftOut)
{
    ASSERT_TRUE(generateMedia(s_dir->path(), {"tag.wav", {"-c:a", "pcm_s16le"}, false, true}));
    QFile wav(file("tag.wav"));
    ASSERT_TRUE(wav.open(QIODevice::ReadWrite));
    ASSERT_TRUE(wav.seek(20));
    ASSERT_EQ(wav.write("\x34\x12", 2), 2); // format tag 0x1234
    wav.close();
    EXPECT_FALSE(describe(file("tag.wav")));
    ASSERT_EQ(m_result.warnings.size(), 1);
    EXPECT_TRUE(m_result.warnings[0].startsWith("The audio format none ("));
    EXPECT_TRUE(m_result.warnings[0].contains("0x1234"));
}

TEST_F(DecoderProbeEndToEnd, SlowMpegToolKeepsTheDecodersValues)
{
    ASSERT_TRUE(generateMedia(s_dir->path(),
                              {"slow.mpg", {"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}}));
    const QString tool = file("slow-mpgtx.sh");
    ASSERT_TRUE(writeFile(tool, "#!/bin/sh\nexec sleep 30\n"));
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_prober.decoderProbe().setPrograms(korvane::findTool("ffmpeg"), tool);
    m_prober.decoderProbe().setMpegToolTimeLimit(std::chrono::milliseconds(300));
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(describe(file("slow.mpg"))) << m_result.lastProbeError.toStdString();
    EXPECT_LT(timer.elapsed(), 20000);
    const int video = m_source.firstVideoStream();
    ASSERT_GE(video, 0);
    EXPECT_EQ(m_source.stream(video).width, 160);
    EXPECT_FLOAT_EQ(m_source.stream(video).fps, 25.0f);
    EXPECT_EQ(m_source.stream(video).displayAR, 1.0f);
}

#include "GeneratedMedia.h"
#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderProber.h"
#include "mediainfo/DefaultPictures.h"
#include "mediainfo/ProbeResult.h"
#include "mediainfo/clsSource.h"
#include "util/PosixProcessRunner.h"

#include <QDir>
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
        m_source = clsSource();
        m_result = ProbeResult();
        return m_prober.describe(path, m_source, m_result);
    }
    static QString file(const QString& name) { return s_dir->filePath(name); }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<CodecMaps> s_maps;
    static inline std::unique_ptr<DefaultPictures> s_pictures;
    korvane::PosixProcessRunner m_runner;
    DecoderProber m_prober{m_runner, *s_maps, *s_pictures};
    clsSource m_source;
    ProbeResult m_result;
};

} // namespace

TEST_F(DecoderProbeEndToEnd, EveryExtensionTheDecoderCanWriteIsDescribed)
{
    for (const Expectation& e : everyExtension()) {
        SCOPED_TRACE(e.recipe.name.toStdString());
        ASSERT_TRUE(generateMedia(s_dir->path(), e.recipe));
        const QString path = file(e.recipe.name);
        ASSERT_TRUE(describe(path)) << m_result.LastProbeError.toStdString();
        EXPECT_TRUE(m_result.warnings.isEmpty()) << m_result.warnings.join('\n').toStdString();
        EXPECT_NEAR(m_source.duration(), 2.0, 0.15);
        EXPECT_EQ(m_source.IsAVI(), e.recipe.name.endsWith(".avi"));
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
                EXPECT_NE(s.image, s_pictures->DefaultVideoPicture);
                EXPECT_EQ(m_result.CurrentPicture, s.image);
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
            EXPECT_EQ(m_result.CurrentPicture, s_pictures->DefaultAudioPicture);
        }
        // "mpe" is not among the extensions that get the MPEG tool.
        if (e.recipe.name == "a.mpg" || e.recipe.name == "a.mpeg") {
            const int video = m_source.firstVideoStream();
            ASSERT_GE(video, 0);
            // From the file's size and duration, not the decoder's ceiling figure.
            EXPECT_GT(m_source.stream(video).bitRate, 50);
            EXPECT_LT(m_source.stream(video).bitRate, 5000);
        }
        EXPECT_TRUE(m_result.StreamInfoText.startsWith("Stream information of " + path));
    }
}

TEST_F(DecoderProbeEndToEnd, WideShortAndThousandFrameVideos)
{
    ASSERT_TRUE(generateMedia(
        s_dir->path(),
        {"hd.mkv", {"-c:v", "libx264", "-preset", "ultrafast"}, true, false, "1920x1080", "2"}));
    ASSERT_TRUE(describe(file("hd.mkv"))) << m_result.LastProbeError.toStdString();
    EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 52));
    EXPECT_EQ(m_source.stream(0).sourceAR, 1920.0f / 1080.0f);

    // A thousand frames a second is not a video to show; with sound the file stays.
    ASSERT_TRUE(generateMedia(
        s_dir->path(),
        {"fast.avi", {"-c:v", "mpeg4", "-c:a", "pcm_s16le"}, true, true, "160x120", "1000"}));
    ASSERT_TRUE(describe(file("fast.avi"))) << m_result.LastProbeError.toStdString();
    ASSERT_EQ(m_source.StreamCount(), 1);
    EXPECT_TRUE(m_source.stream(0).isAudio());
    EXPECT_EQ(m_result.CurrentPicture, s_pictures->DefaultAudioPicture);

    ASSERT_TRUE(generateMedia(
        s_dir->path(), {"fast-mute.avi", {"-c:v", "mpeg4"}, true, false, "160x120", "1000"}));
    EXPECT_FALSE(describe(file("fast-mute.avi")));
    EXPECT_EQ(m_result.LastProbeError, "Unsupported file format or the file is corrupted.");
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
    for (const char* name : {"empty.avi", "cut.mp4", "noise.avi", "words.mkv", "missing.mp3"}) {
        EXPECT_FALSE(describe(file(QLatin1String(name)))) << name;
        EXPECT_EQ(m_result.LastProbeError, "Unsupported file format or the file is corrupted.")
            << name;
        EXPECT_TRUE(m_result.StreamInfoText.isEmpty());
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
                               "file:colon.mkv"};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(QFile::copy(file("plain.mkv"), file(name)));
        ASSERT_TRUE(describe(file(name))) << m_result.LastProbeError.toStdString();
        EXPECT_EQ(m_source.StreamCount(), 2);
        EXPECT_EQ(m_source.fileName(), file(name));
        EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 68));
        EXPECT_TRUE(m_result.warnings.isEmpty());
    }
    // A relative name that starts with a dash is still a file, not an option.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(s_dir->path()));
    const bool accepted = describe("-leading dash.mkv");
    QDir::setCurrent(before);
    EXPECT_TRUE(accepted) << m_result.LastProbeError.toStdString();
    EXPECT_EQ(m_source.fileName(), "-leading dash.mkv");
    EXPECT_EQ(m_source.stream(0).image.size(), QSize(90, 68));
}

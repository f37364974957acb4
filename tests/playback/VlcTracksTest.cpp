#include "playback/SnapshotTaker.h"
#include "playback/TrackChoice.h"
#include "playback/VlcEngine.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A film with two audio languages and an embedded subtitle, and a subtitle file beside a copy.
class VlcTracksTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        const QString d = s_dir->path();
        const QByteArray srt = "1\n00:00:00,000 --> 00:00:09,000\nHello from the file\n";
        QFile file(d + "/subs.srt");
        s_ready = file.open(QIODevice::WriteOnly) && file.write(srt) == srt.size();
        file.close();
        s_ready = s_ready &&
                  ffmpeg({"-f",
                          "lavfi",
                          "-i",
                          "testsrc=d=8:s=320x240:r=25",
                          "-f",
                          "lavfi",
                          "-i",
                          "sine=d=8:f=440",
                          "-f",
                          "lavfi",
                          "-i",
                          "sine=d=8:f=880",
                          "-i",
                          d + "/subs.srt",
                          "-map",
                          "0:v",
                          "-map",
                          "1:a",
                          "-map",
                          "2:a",
                          "-map",
                          "3:s",
                          "-c:v",
                          "libx264",
                          "-preset",
                          "ultrafast",
                          "-pix_fmt",
                          "yuv420p",
                          "-c:a",
                          "aac",
                          "-c:s",
                          "srt",
                          "-metadata:s:a:0",
                          "language=eng",
                          "-metadata:s:a:1",
                          "language=ger",
                          "-metadata:s:s:0",
                          "language=eng",
                          d + "/film.mkv"}) &&
                  ffmpeg({"-f", "lavfi", "-i", "testsrc=d=8:s=320x240:r=25", "-c:v", "libx264",
                          "-preset", "ultrafast", "-pix_fmt", "yuv420p", d + "/plain.mkv"});
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(s_ready) << "ffmpeg could not make the test film"; }

    static bool ffmpeg(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral("ffmpeg"),
                      QStringList{"-v", "error", "-y", "-nostdin"} + arguments);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }
    static QString path(const char* name) { return s_dir->path() + "/" + name; }

    // Plays `name` until it has a picture and its tracks are known.
    bool start(const char* name)
    {
        choice.bind(engine.get());
        engine->open(path(name));
        engine->play();
        return QTest::qWaitFor(
            [this] { return choice.isActive() && engine->hasVout() && engine->time() > 0; }, 8000);
    }

    std::unique_ptr<VlcEngine> engine =
        std::make_unique<VlcEngine>(QStringList{}, nullptr, VlcEngine::AudioOutput::Dummy);
    TrackChoice choice;
    static inline QTemporaryDir* s_dir = nullptr;
    static inline bool s_ready = false;
};

TEST_F(VlcTracksTest, BothLanguagesAreListedAndTheSecondCanBeChosen)
{
    ASSERT_TRUE(start("film.mkv"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return choice.audioTracks().size() == 2; }, 5000));
    const QList<Engine::Track> audio = choice.audioTracks();
    EXPECT_TRUE(audio[0].name.contains("English", Qt::CaseInsensitive) ||
                audio[0].name.contains("eng"))
        << audio[0].name.toStdString();
    EXPECT_EQ(choice.audioTrack(), audio[0].id) << "the first plays at first";
    ASSERT_TRUE(choice.chooseAudio(audio[1].id));
    EXPECT_TRUE(QTest::qWaitFor([&] { return choice.audioTrack() == audio[1].id; }, 3000));
    EXPECT_FALSE(choice.chooseAudio(audio[1].id + 100));
}

TEST_F(VlcTracksTest, TheEmbeddedSubtitleTurnsOffAndAFileJoins)
{
    ASSERT_TRUE(start("film.mkv"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !choice.subtitleTracks().isEmpty(); }, 5000));
    ASSERT_TRUE(choice.chooseSubtitle(-1));
    EXPECT_TRUE(QTest::qWaitFor([this] { return choice.subtitleTrack() == -1; }, 3000));
    const qsizetype before = choice.subtitleTracks().size();
    QSignalSpy changed(&choice, &TrackChoice::changed);
    ASSERT_TRUE(choice.addSubtitleFile(path("subs.srt")));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return choice.subtitleTracks().size() == before + 1; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([this] { return choice.subtitleTrack() != -1; }, 3000))
        << "the added file is shown";
    EXPECT_GT(changed.size(), 0) << "the engine told of the new track";
}

TEST_F(VlcTracksTest, ASnapshotHasTheVideosOwnSizeInEitherFormat)
{
    ASSERT_TRUE(start("plain.mkv"));
    const QString folder = path("shots/plain.mkv Images");
    const SnapshotTaker::Result png =
        SnapshotTaker::take(engine.get(), folder, "IMG_", SnapshotFormat::Png);
    ASSERT_EQ(png.outcome, SnapshotTaker::Result::Outcome::Saved);
    EXPECT_EQ(QImageReader(png.path).format(), "png");
    EXPECT_EQ(QImageReader(png.path).size(), QSize(320, 240));
    const SnapshotTaker::Result jpg =
        SnapshotTaker::take(engine.get(), folder, "IMG_", SnapshotFormat::Jpg);
    ASSERT_EQ(jpg.outcome, SnapshotTaker::Result::Outcome::Saved);
    EXPECT_EQ(QImageReader(jpg.path).format(), "jpeg");
    EXPECT_EQ(QImageReader(jpg.path).size(), QSize(320, 240));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({"IMG_0001.jpg", "IMG_0001.png"}))
        << "each format numbers its own; the scratch copy is gone";
}

} // namespace

#include "GeneratedMedia.h"

#include <QDir>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace korvane::test;

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

class KorvaneProbeTool : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        const QString d = s_dir->path();
        ASSERT_TRUE(generateMedia(d, {"clip.mkv", {"-c:v", "mpeg4", "-c:a", "libvorbis"}}));
        ASSERT_TRUE(generateMedia(d, {"tone.wav", {}, false, true}));
        ASSERT_TRUE(generateMedia(d, {"wide.mp4", {"-c:v", "mpeg4"}, true, false, "640x360"}));
        ASSERT_TRUE(writeFile(d + "/notes.avi", "not a video\n"));
        ASSERT_TRUE(QFile::copy(d + "/clip.mkv", d + "/-dash $x 'q'.mkv"));
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    static QString file(const QString& name) { return s_dir->filePath(name); }

    static ToolRun run(const QStringList& arguments)
    {
        QProcess process;
        process.setWorkingDirectory(s_dir->path());
        process.start(QStringLiteral(KORVANE_BIN_DIR "/korvane-probe"), arguments);
        ToolRun r;
        if (!process.waitForFinished(120000)) {
            ADD_FAILURE() << "korvane-probe did not finish";
            process.kill();
            process.waitForFinished();
            return r;
        }
        r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        r.out = QString::fromUtf8(process.readAllStandardOutput());
        r.err = QString::fromUtf8(process.readAllStandardError());
        return r;
    }

    static inline std::unique_ptr<QTemporaryDir> s_dir;
};

} // namespace

TEST_F(KorvaneProbeTool, BadUsageExitsWithTwo)
{
    for (const QStringList& args :
         {QStringList(), QStringList({"--jobs", "0", "x.mkv"}), QStringList({"--jobs", "two", "x"}),
          QStringList({"--jobs"}), QStringList({"--frobnicate", "x.mkv"}), QStringList({"--json"}),
          QStringList({"x.mkv", "--thumbs"})}) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains("usage: korvane-probe"));
    }
}

TEST_F(KorvaneProbeTool, ResultsComeInArgumentOrderWithRefusals)
{
    const ToolRun r = run({"--jobs", "3", "notes.avi", file("clip.mkv"), "tone.wav"});
    EXPECT_EQ(r.exitCode, 1);
    const qsizetype refused = r.out.indexOf("Cannot open file <notes.avi>\n"
                                            "Unsupported file format or the file is corrupted.\n");
    const qsizetype clip = r.out.indexOf("Stream information of " + file("clip.mkv") + "\n");
    const qsizetype tone = r.out.indexOf("Stream information of tone.wav\n");
    EXPECT_EQ(refused, 0) << r.out.toStdString();
    EXPECT_GT(clip, refused);
    EXPECT_GT(tone, clip);
    EXPECT_FALSE(r.out.contains('\r'));
    EXPECT_TRUE(r.out.contains("Width       : 160 pixels\n"));
    EXPECT_TRUE(r.out.contains("Samplerate  : 44100 Hz\n"));

    const ToolRun ok = run({"tone.wav", "-dash $x 'q'.mkv"});
    EXPECT_EQ(ok.exitCode, 0) << ok.out.toStdString();
    EXPECT_TRUE(ok.out.contains("Stream information of -dash $x 'q'.mkv\n"));
}

TEST_F(KorvaneProbeTool, JsonGivesOneObjectPerFileInOrder)
{
    const ToolRun r = run({"--json", "--jobs", "2", "clip.mkv", "notes.avi", "wide.mp4"});
    EXPECT_EQ(r.exitCode, 1);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << r.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(R"({"FileName":"clip.mkv","Duration":)"));
    const QJsonObject clip = QJsonDocument::fromJson(lines[0].toUtf8()).object();
    EXPECT_EQ(clip.keys().size(), 7);
    EXPECT_EQ(clip["Stream0"].toObject()["Width"].toInt(), 160);
    EXPECT_EQ(clip["Stream1"].toObject()["SampleRate"].toInt(), 44100);
    EXPECT_EQ(
        lines[1],
        R"({"FileName":"notes.avi","Error":"Unsupported file format or the file is corrupted."})");
    const QJsonObject wide = QJsonDocument::fromJson(lines[2].toUtf8()).object();
    EXPECT_EQ(wide["Stream0"].toObject()["Height"].toInt(), 360);
    EXPECT_FALSE(wide["IsAVI"].toBool());
}

TEST_F(KorvaneProbeTool, ThumbnailsAreWrittenPerFileAndStream)
{
    QTemporaryDir thumbs;
    const QString out = thumbs.filePath("new/folder");
    const ToolRun r = run({"--thumbs", out, "wide.mp4", "notes.avi", "tone.wav", "clip.mkv"});
    EXPECT_EQ(r.exitCode, 1);
    QStringList names = QDir(out).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names, QStringList({"1-0.jpg", "3-0.jpg", "4-0.jpg"}));
    EXPECT_EQ(QImage(out + "/1-0.jpg").size(), QSize(90, 52));
    EXPECT_EQ(QImage(out + "/3-0.jpg").size(), QSize(180, 144));
    EXPECT_EQ(QImage(out + "/4-0.jpg").size(), QSize(90, 68));
}

#include "mediainfo/MediaProber.h"
#include "playlist/FakeFileChooser.h"
#include "playlist/FileIntake.h"
#include "playlist/FolderScan.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistSignals.h"
#include "system/RecordingUserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Refuses every path that contains "bad", like a decoder reading a text file named .mp4, and
// every missing file.
class NamingProber : public MediaProber
{
public:
    bool probe(const QString& path, ProbeResult& result) override
    {
        if (!QFileInfo::exists(path)) {
            result.lastProbeError = "not found";
            return false;
        }
        if (path.contains("bad")) {
            result.lastProbeError = "Unsupported file format or the file is corrupted.";
            return false;
        }
        result.streamInfoText = "info of " + path;
        return true;
    }
};

class PathIntakeTest : public ::testing::Test
{
protected:
    void settle()
    {
        QElapsedTimer timer;
        timer.start();
        while (playlist.intake().pendingCount() > 0 && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        ASSERT_EQ(playlist.intake().pendingCount(), 0);
    }
    QString make(const QString& relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
    QStringList names() const
    {
        QStringList out;
        for (const QString& path : playlist.paths()) {
            out << QDir(dir.path()).relativeFilePath(path);
        }
        return out;
    }

    QTemporaryDir dir;
    PlaylistModel model;
    NamingProber prober;
    RecordingUserMessages messages;
    FakeFileChooser chooser;
    OpenDialog dialog{chooser};
    Playlist playlist{model, prober, messages, dialog};
    PlaylistSignals playback{playlist};
};

} // namespace

TEST_F(PathIntakeTest, FolderGivesItsMediaFilesByNameWithSubFoldersInOneIntake)
{
    for (const char* name :
         {"clip 10.mp4", "clip 2.mkv", "Clip 1.webm", "notes.txt", "cover.jpg", "sub/a.flac",
          "sub/deeper/z.opus", ".hidden/x.mp4", ".y.mp4", "clip 2b.mp3"}) {
        make(name);
    }
    QFile::link(dir.path(), dir.filePath("sub/loop")); // a folder link back up is not followed
    playlist.addPaths({dir.path()}, true, false);
    settle();
    EXPECT_EQ(names(), QStringList({"Clip 1.webm", "clip 2.mkv", "clip 2b.mp3", "clip 10.mp4",
                                    "sub/a.flac", "sub/deeper/z.opus"}));
    EXPECT_TRUE(messages.messages.isEmpty()); // the folder's other files were not named
    EXPECT_EQ(playback.calls.filter("play"), QStringList({"play 0"}));
}

TEST_F(PathIntakeTest, EveryNameNotTakenInIsReported)
{
    const QString good = make("good.webm");
    const QString bad = make("bad.mp4"); // a media name, but the decoder refuses it
    const QString text = make("readme.txt");
    const QString empty = dir.filePath("empty");
    QDir().mkpath(empty);
    const QString missing = dir.filePath("gone.flac");
    // Qt reads a leading ':' as one of its own resources, never a file on disk.
    playlist.addPaths({bad, text, good, missing, empty, ":/skin.mp4"}, true, true);
    settle();
    EXPECT_EQ(names(), QStringList({"good.webm"}));
    QStringList texts;
    for (const auto& m : messages.messages) {
        texts << m.text;
    }
    // What the extension test refuses is told at once; the decoder's refusals follow in order.
    EXPECT_EQ(
        texts,
        QStringList(
            {"Cannot open file <:/skin.mp4>\n" + Playlist::NotLocalReason,
             "Cannot open folder <" + empty + ">\nThe folder holds no media files Korvane opens.",
             "Cannot open file <" + text + ">\nKorvane does not open files of this type.",
             "Cannot open file <" + bad + ">\nUnsupported file format or the file is corrupted.",
             "Cannot open file <" + missing + ">\nnot found"}));
    // The first file refused, the next one taken in plays, full screen as asked.
    EXPECT_EQ(playback.calls.filter("play"), QStringList({"play 0 full"}));
}

TEST_F(PathIntakeTest, PlayFirstOnlyWhenAskedAndOnlyOncePerIntake)
{
    const QString a = make("a.mkv");
    const QString b = make("b.mkv");
    playlist.addPaths({a, b}, false, false);
    settle();
    EXPECT_TRUE(playback.calls.filter("play").isEmpty());

    // Already there: the existing entry plays, nothing is added twice.
    messages.messages.clear();
    const QString c = make("c.mkv");
    playlist.addPaths({b, c}, true, false);
    settle();
    EXPECT_EQ(playlist.count(), 3);
    EXPECT_EQ(playback.calls.filter("play"), QStringList({"play 1"}));
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, "\"b.mkv\" is already in your playlist");

    // Nothing of a refused group plays, and the next group is not played on its behalf.
    playback.calls.clear();
    const QString bad = make("bad.mkv");
    playlist.addPaths({bad}, true, false);
    const QString d = make("d.mkv");
    playlist.addPaths({d}, false, false);
    settle();
    EXPECT_TRUE(playback.calls.filter("play").isEmpty());
}

TEST_F(PathIntakeTest, RemoveAllForgetsTheFileWaitingToPlay)
{
    const QString a = make("a.mkv");
    playlist.addPaths({a}, true, false);
    playlist.removeAll();
    const QString b = make("b.mkv");
    playlist.addPaths({b}, false, false);
    settle();
    EXPECT_EQ(names(), QStringList({"b.mkv"}));
    EXPECT_TRUE(playback.calls.filter("play").isEmpty());
}

TEST_F(PathIntakeTest, OpenFolderAsksWhereTheFileDialogLeftOffAndPlaysTheFirst)
{
    make("f/2.mp3");
    make("f/1.mp3");
    chooser.answers << QStringList({make("start/x.mkv")});
    playlist.openFiles(true);
    settle();
    chooser.folderAnswers << dir.filePath("f");
    playlist.openFolder(false);
    settle();
    ASSERT_EQ(chooser.calls.size(), 2);
    EXPECT_EQ(chooser.calls[1].title, "Open Folder");
    EXPECT_EQ(chooser.calls[1].initialFolder, dir.filePath("start"));
    EXPECT_EQ(names(), QStringList({"start/x.mkv", "f/1.mp3", "f/2.mp3"}));
    EXPECT_EQ(playback.calls.filter("play"), QStringList({"play 1"}));
    EXPECT_EQ(dialog.lastDialogFolder(), dir.filePath("f"));

    playlist.openFolder(false); // cancelled: nothing changes
    settle();
    EXPECT_EQ(playlist.count(), 3);
}

TEST(FolderScan, NamesSortCaseBlindWithNumbersAsNumbers)
{
    const struct
    {
        const char* a;
        const char* b;
        bool less;
    } cases[] = {
        {"clip 2.mp4", "clip 10.mp4", true},
        {"clip 10.mp4", "clip 2.mp4", false},
        {"Alpha.mp4", "beta.mp4", true},
        {"beta.mp4", "Alpha.mp4", false},
        {"a/z.mp4", "a b.mp4", true},
        {"a.mp4", "a/b.mp4", false},
        {"x007.mp4", "x7.mp4", true},
        {"x7.mp4", "x007.mp4", false},
        {"a.mp4", "A.mp4", false},
        {"A.mp4", "a.mp4", true},
        {"99999999999999999999.mp4", "100000000000000000000.mp4", true},
        {"same.mp4", "same.mp4", false},
        {"", "a", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderScan::lessByName(c.a, c.b), c.less) << c.a << " < " << c.b;
    }
}

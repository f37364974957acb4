#include "playlist/Playlist.h"

#include "mediainfo/MediaProber.h"
#include "playlist/FakeFileChooser.h"
#include "playlist/FileIntake.h"
#include "playlist/OpenDialog.h"
#include "playlist/PlaylistSignals.h"
#include "system/RecordingUserMessages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Accepts every path unless it contains "bad"; paths containing "slow" take longer, so later
// files finish first.
class ScriptedProber : public MediaProber
{
public:
    bool probe(const QString& path, ProbeResult& result) override
    {
        if (path.contains("slow")) {
            QThread::msleep(150);
        }
        {
            QMutexLocker lock(&mutex);
            probed << path;
        }
        if (path.contains("warn")) {
            result.warnings << "first warning"
                            << "second warning";
        }
        if (path.contains("bad")) {
            result.lastProbeError = "Unsupported file format or the file is corrupted.";
            return false;
        }
        result.streamInfoText = "info of " + path;
        result.currentPicture = QImage(8, 8, QImage::Format_RGB32);
        return true;
    }
    QMutex mutex;
    QStringList probed;
};

class PlaylistTest : public ::testing::Test
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
    void add(const QString& path, bool playNow = false)
    {
        playlist.addEntry(path.mid(path.lastIndexOf('/') + 1), path, false, playNow);
    }

    PlaylistModel model;
    ScriptedProber prober;
    RecordingUserMessages messages;
    FakeFileChooser chooser;
    OpenDialog dialog{chooser};
    Playlist playlist{model, prober, messages, dialog};
    PlaylistSignals playback{playlist};
};

} // namespace

TEST_F(PlaylistTest, CommitsInGivenOrderWhateverOrderProbesFinish)
{
    add("/m/slow1.mkv");
    add("/m/slow2.mkv");
    add("/m/fast.mkv");
    settle();
    EXPECT_EQ(playlist.paths(), QStringList({"/m/slow1.mkv", "/m/slow2.mkv", "/m/fast.mkv"}));
    ASSERT_EQ(model.count(), 3);
    EXPECT_EQ(model.title(2), "fast.mkv");
    EXPECT_EQ(playlist.mediaInfo(1), "info of /m/slow2.mkv");
    EXPECT_EQ(playback.calls, QStringList({"rebuild", "rebuild", "rebuild"}));
}

TEST_F(PlaylistTest, DuplicateIsNoticedAtItsCommitEvenWithinOneBatch)
{
    add("/m/a.avi");
    add("/m/a.avi");
    settle();
    EXPECT_EQ(playlist.count(), 1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].icon, UserMessages::Icon::Information);
    EXPECT_EQ(messages.messages[0].title, "Media Player");
    EXPECT_EQ(messages.messages[0].text, "\"a.avi\" is already in your playlist");
    // The play order is rebuilt after a duplicate too.
    EXPECT_EQ(playback.calls, QStringList({"rebuild", "rebuild"}));
}

TEST_F(PlaylistTest, DuplicateWithPlayNowPlaysTheExistingEntry)
{
    add("/m/a.avi");
    add("/m/b.avi");
    settle();
    playback.calls.clear();
    playlist.addEntry("a.avi", "/m/a.avi", true, true);
    settle();
    EXPECT_EQ(playlist.count(), 2);
    EXPECT_EQ(model.selectedItem(), 0);
    EXPECT_EQ(playback.calls, QStringList({"play 0 full", "rebuild"}));
}

TEST_F(PlaylistTest, DuplicateOfTheFilePlayingNowIsOnlySelected)
{
    add("/m/a.avi");
    add("/m/b.avi");
    settle();
    playlist.isPlayingNow = [](const QString& path) {
        return path == "/m/b.avi";
    };
    model.select(0);
    playback.calls.clear();
    playlist.addEntry("b.avi", "/m/b.avi", false, true);
    playlist.addEntry("a.avi", "/m/a.avi", false, true);
    settle();
    EXPECT_EQ(playlist.count(), 2);
    EXPECT_EQ(model.selectedItem(), 0);
    // b is selected but not started over; a, not playing, plays.
    EXPECT_EQ(playback.calls, QStringList({"rebuild", "play 0", "rebuild"}));
}

TEST_F(PlaylistTest, PathsDifferingInCaseAreDifferentFiles)
{
    add("/Media/a.avi");
    add("/media/A.AVI");
    settle();
    EXPECT_EQ(playlist.count(), 2);
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_TRUE(playlist.isInPlaylist("/Media/a.avi"));
    EXPECT_FALSE(playlist.isInPlaylist("/media/a.avi"));
}

TEST_F(PlaylistTest, RefusedFileAddsNothingPlaysNothingAndKeepsOrder)
{
    add("/m/warn-bad.mkv", true);
    settle();
    EXPECT_EQ(playlist.count(), 0);
    EXPECT_TRUE(playback.calls.isEmpty());
    ASSERT_EQ(messages.messages.size(), 3);
    EXPECT_EQ(messages.messages[0].text, "first warning");
    EXPECT_EQ(messages.messages[0].title, "Taskel Media Player");
    EXPECT_EQ(messages.messages[1].text, "second warning");
    EXPECT_EQ(messages.messages[2].icon, UserMessages::Icon::Warning);
    EXPECT_EQ(messages.messages[2].title, "Korvane");
    EXPECT_EQ(messages.messages[2].text, "Cannot open file </m/warn-bad.mkv>\n"
                                         "Unsupported file format or the file is corrupted.");
}

TEST_F(PlaylistTest, PlayNowSelectsAndPlaysTheNewEntry)
{
    add("/m/a.avi");
    playlist.addEntry("b.avi", "/m/b.avi", true, true);
    settle();
    EXPECT_EQ(model.selectedItem(), 1);
    EXPECT_EQ(playback.calls, QStringList({"rebuild", "play 1 full", "rebuild"}));
}

TEST_F(PlaylistTest, OpenPlaysFirstChosenFileAndAppendsAfterExisting)
{
    add("/m/old.avi");
    settle();
    playback.calls.clear();
    chooser.answers << QStringList({"/m/x.mkv", "/m/y.mkv", "/m/z.mkv"});
    playlist.openFiles(false);
    settle();
    EXPECT_EQ(playlist.paths(), QStringList({"/m/old.avi", "/m/x.mkv", "/m/y.mkv", "/m/z.mkv"}));
    EXPECT_EQ(playback.calls.count("play 1"), 1);
    EXPECT_EQ(playback.calls.filter("play").size(), 1);

    playback.calls.clear();
    chooser.answers << QStringList({"/m/w.mkv"});
    playlist.openFiles(true);
    settle();
    EXPECT_TRUE(playback.calls.filter("play").isEmpty());

    chooser.answers.clear(); // cancelled dialog
    playlist.openFiles(false);
    settle();
    EXPECT_EQ(playlist.count(), 5);
}

TEST_F(PlaylistTest, DropKeepsSupportedFilesOnlyAndNamesTheRestInOneMessage)
{
    playlist.addDroppedFiles({"/m/x.txt", "/m/y.mp4", "/m/clip.MKV", "/m/noext", "/m/t.webm"});
    settle();
    EXPECT_EQ(playlist.paths(), QStringList({"/m/y.mp4", "/m/clip.MKV", "/m/t.webm"}));
    EXPECT_TRUE(playback.calls.filter("play").isEmpty());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].title, "Korvane");
    EXPECT_EQ(messages.messages[0].text, "Cannot open file </m/x.txt>\n"
                                         "Cannot open file </m/noext>\n"
                                         "Korvane does not open files of this type.");
    QMutexLocker lock(&prober.mutex);
    EXPECT_EQ(prober.probed.size(), 3);
}

TEST_F(PlaylistTest, RemovingMiddleEntryKeepsListsAlignedAndSelectionInPlace)
{
    for (const char* name : {"/m/a.avi", "/m/b.avi", "/m/c.avi"}) {
        add(name);
    }
    settle();
    playback.calls.clear();
    playlist.removeSelected(); // nothing selected yet: nothing goes
    EXPECT_EQ(playlist.count(), 3);
    EXPECT_TRUE(playback.calls.isEmpty());

    model.select(1);
    playlist.removeSelected();
    EXPECT_EQ(playlist.paths(), QStringList({"/m/a.avi", "/m/c.avi"}));
    EXPECT_EQ(playlist.mediaInfos(), QStringList({"info of /m/a.avi", "info of /m/c.avi"}));
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(model.selectedItem(), 1);
    EXPECT_EQ(model.title(1), "c.avi");
    EXPECT_EQ(playback.calls, QStringList({"remove 1"}));
    EXPECT_FALSE(playlist.isInPlaylist("/m/b.avi"));
}

TEST_F(PlaylistTest, RemoveAllEmptiesEverythingAndDropsPendingFiles)
{
    add("/m/a.avi");
    settle();
    add("/m/slow-pending.avi");
    playlist.removeAll();
    EXPECT_EQ(playlist.count(), 0);
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(model.selectedItem(), -1);
    playlist.intake().waitForWorkers();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(playlist.count(), 0);
    EXPECT_FALSE(playlist.isInPlaylist("/m/a.avi"));
    add("/m/a.avi");
    settle();
    EXPECT_EQ(playlist.count(), 1);
}

TEST_F(PlaylistTest, ProgressCountsTheBatch)
{
    QSignalSpy progress(&playlist, &Playlist::progressChanged);
    add("/m/1.avi");
    add("/m/2.avi");
    add("/m/3.avi");
    settle();
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toInt(), 3);
    EXPECT_EQ(progress.last().at(1).toInt(), 3);
    EXPECT_EQ(progress.at(2).at(1).toInt(), 3); // the third enqueue saw a batch of three
}

TEST_F(PlaylistTest, ClickAndDoubleClickNameTheSelectedEntry)
{
    add("/m/a.avi");
    add("/m/b.avi");
    settle();
    QSignalSpy hide(&playlist, &Playlist::hideRequested);
    playback.calls.clear();
    playlist.activateEntry(); // no selection: nothing happens
    EXPECT_TRUE(playback.calls.isEmpty());
    EXPECT_EQ(hide.count(), 0);

    model.select(1);
    playlist.clickEntry();
    playlist.activateEntry();
    EXPECT_EQ(playback.calls, QStringList({"click 1", "activate 1"}));
    EXPECT_EQ(hide.count(), 1);
}

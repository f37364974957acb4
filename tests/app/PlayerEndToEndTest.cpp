// The real program playing real clips, handed over from later starts.
#include "GeneratedMedia.h"
#include "PlayerProcess.h"
#include "QtPrinters.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsTestSupport.h"
#include "system/FileUserStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

class PlayerEndToEnd : public PlayerHomeTest
{};

} // namespace

TEST_F(PlayerEndToEnd, PlaysHandedOverClipsInTurnAndStartsOver)
{
    const QStringList clips = {m_home.filePath("one.mp4"), m_home.filePath("two clip.mp4"),
                               m_home.filePath("three.mp4")};
    for (int i = 0; i < clips.size(); ++i) {
        ASSERT_TRUE(makeClip(clips[i], 3, 300 + 100 * i));
    }

    PlayerProcess first(m_home.path());
    first.start({clips[0]});
    ASSERT_TRUE(first.waitForOutput("playing 0", 20000)) << first.output().toStdString();

    for (const QString& clip : {clips[1], clips[2]}) {
        PlayerProcess later(m_home.path());
        later.start({clip, "*Add"});
        EXPECT_TRUE(later.finishesWithin(10000));
    }
    EXPECT_TRUE(first.waitForOutput("accepted " + clips[2], 20000));
    EXPECT_TRUE(first.waitForOutput("playing 1 " + clips[1], 20000));
    EXPECT_TRUE(first.waitForOutput("playing 2 " + clips[2], 20000));
    // Continuous play with Repeat all: back to the first clip.
    const qsizetype third = first.output().indexOf("playing 2 ");
    EXPECT_TRUE(first.waitForOutput("playing 0 " + clips[0], 20000, third));

    FileUserStore store(storePath());
    const QString names = "Software\\Taskel\\Korvane\\RecentFileNames";
    EXPECT_EQ(store.readString(names, "0"), clips[0]);
    EXPECT_EQ(store.readString(names, "1"), clips[1]);
    EXPECT_EQ(store.readString(names, "2"), clips[2]);

    first.signal(SIGTERM);
    EXPECT_TRUE(first.finishesWithin(10000));
}

TEST_F(PlayerEndToEnd, UnreadableFileIsRefusedAndTheRestStillPlays)
{
    const QString clip = m_home.filePath("good.mp4");
    ASSERT_TRUE(makeClip(clip, 2, 440));
    const QString broken = m_home.filePath("broken.avi");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();

    PlayerProcess first(m_home.path());
    first.start({broken});
    ASSERT_TRUE(first.waitForOutput("refused " + broken, 20000)) << first.output().toStdString();
    PlayerProcess later(m_home.path());
    later.start({clip});
    EXPECT_TRUE(later.finishesWithin(10000));
    EXPECT_TRUE(first.waitForOutput("playing 0 " + clip, 20000));
}

TEST_F(PlayerEndToEnd, AMissingFileOnTheCommandLineIsReportedByName)
{
    const QString missing = m_home.filePath("gone away.mkv");
    PlayerProcess player(m_home.path());
    player.start({missing});
    EXPECT_TRUE(player.waitForOutput("refused " + missing + ": The file was not found.", 20000))
        << player.output().toStdString();
    player.signal(SIGTERM);
    EXPECT_TRUE(player.finishesWithin(10000));
}

TEST_F(PlayerEndToEnd, AudioPlaysInRealTimeOnTheSoundServer)
{
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
        GTEST_SKIP() << "no sound server: scripts/test.sh starts one";
    }
    // Under a dummy output an audio-only clip ends long before it has been heard.
    korvane::test::MediaRecipe recipe;
    recipe.name = "tone.wav";
    recipe.video = false;
    recipe.seconds = 3;
    ASSERT_TRUE(korvane::test::generateMedia(m_home.path(), recipe));
    PlayerProcess player(m_home.path());
    player.start({m_home.filePath("tone.wav")});
    ASSERT_TRUE(player.waitForOutput("playing 0", 20000)) << player.output().toStdString();
    QElapsedTimer played;
    played.start();
    // The mixer names the stream after the player, not after the engine inside it. The stream
    // opens with the first sound, a moment after the engine says it plays.
    QByteArray listed;
    for (int tries = 0; tries < 50 && !listed.contains("Sink Input"); ++tries) {
        QProcess streams;
        streams.start("pactl", {"list", "sink-inputs"});
        ASSERT_TRUE(streams.waitForFinished(10000));
        listed = streams.readAllStandardOutput();
        QThread::msleep(40);
    }
    EXPECT_TRUE(listed.contains("application.name = \"Korvane\"")) << listed.toStdString();
    EXPECT_FALSE(listed.contains("VLC media player")) << listed.toStdString();
    ASSERT_TRUE(player.waitForOutput("finished 0", 20000)) << player.output().toStdString();
    // Heard in real time it lasts about 3 s; a dummy output finishes it in well under one. Half
    // way between the two keeps the log's own delays out of the verdict.
    EXPECT_GE(played.elapsed(), 1500) << "a 3 s sound ended after " << played.elapsed() << " ms";
    player.signal(SIGTERM);
    EXPECT_TRUE(player.finishesWithin(10000));
}

TEST_F(PlayerEndToEnd, WithKeepHistoryOffPlayingRecordsNothingAndKeepsWhatWasThere)
{
    const QString clip = m_home.filePath("unrecorded.mp4");
    ASSERT_TRUE(makeClip(clip, 2, 520));
    Settings settings = defaultSettings(settingstest::environment());
    settings.keepHistory = false;
    ASSERT_TRUE(ConfigFile::write(m_home.filePath("config/Korvane/Config.cfg"), settings));
    const QString names = "Software\\Taskel\\Korvane\\RecentFileNames";
    {
        FileUserStore store(storePath());
        ASSERT_TRUE(store.writeString(names, "0", "/media/kept.mp4"));
    }

    PlayerProcess player(m_home.path());
    player.start({clip});
    ASSERT_TRUE(player.waitForOutput("playing 0 " + clip, 20000)) << player.output().toStdString();
    player.signal(SIGTERM);
    EXPECT_TRUE(player.finishesWithin(10000));

    FileUserStore store(storePath());
    EXPECT_EQ(store.readString(names, "0"), "/media/kept.mp4");
    EXPECT_EQ(store.readString(names, "1", "<none>"), "<none>");
}

TEST_F(PlayerEndToEnd, TheFilePlayingHandedOverAgainIsNotStartedOver)
{
    const QString clip = m_home.filePath("long.mp4");
    const QString other = m_home.filePath("other.mp4");
    ASSERT_TRUE(makeClip(clip, 8, 440));
    ASSERT_TRUE(makeClip(other, 8, 660));
    PlayerProcess first(m_home.path());
    first.start({clip});
    ASSERT_TRUE(first.waitForOutput("playing 0 " + clip, 20000)) << first.output().toStdString();
    const qsizetype started = first.output().size();

    PlayerProcess again(m_home.path());
    again.start({clip});
    EXPECT_TRUE(again.finishesWithin(10000));
    EXPECT_TRUE(first.waitForOutput("already playing, not started over: " + clip, 20000, started))
        << first.output().toStdString();
    // A file in the list that is not playing is played when opened again: the one playing is
    // not restarted meanwhile.
    PlayerProcess add(m_home.path());
    add.start({other, "*Add"});
    EXPECT_TRUE(add.finishesWithin(10000));
    ASSERT_TRUE(first.waitForOutput("accepted " + other, 20000, started));
    PlayerProcess playOther(m_home.path());
    playOther.start({other});
    EXPECT_TRUE(playOther.finishesWithin(10000));
    EXPECT_TRUE(first.waitForOutput("playing 1 " + other, 20000, started));
    EXPECT_EQ(first.output().mid(started).count("playing 0 "), 0) << first.output().toStdString();

    first.signal(SIGTERM);
    EXPECT_TRUE(first.finishesWithin(10000));
}

TEST_F(PlayerEndToEnd, AFileWhoseNameIsNoTextIsReportedAsSuch)
{
    // Latin-1 "café", which no UTF-8 text holds, made and passed on as raw bytes.
    const QByteArray name = QFile::encodeName(m_home.path()) + "/caf\xe9.mp4";
    FILE* made = ::fopen(name.constData(), "w");
    ASSERT_NE(made, nullptr);
    ::fclose(made);
    // The temporary folder cannot name this file to remove it.
    const std::unique_ptr<const char, void (*)(const char*)> removal(
        name.constData(), [](const char* raw) { ::unlink(raw); });
    const QString launcher = m_home.filePath("launch.sh");
    ASSERT_TRUE(korvane::test::writeFile(
        launcher, "#!/bin/sh\nexec '" KORVANE_BIN_DIR "/korvane' '" + name + "'\n"));
    ASSERT_TRUE(QFile::setPermissions(launcher, QFile::ReadOwner | QFile::ExeOwner));
    PlayerProcess player(m_home.path());
    player.startProgram(launcher);
    EXPECT_TRUE(player.waitForOutput("is not UTF-8 text, so it cannot be opened", 20000))
        << player.output().toStdString();
    player.signal(SIGTERM);
    EXPECT_TRUE(player.finishesWithin(10000));
}

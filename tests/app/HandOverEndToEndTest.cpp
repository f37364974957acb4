// Real processes of the built program handing files to each other.
#include "PlayerProcess.h"
#include "instance/LocalInstanceChannel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

using Player = PlayerProcess;

class HandOverEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        QDir(m_home.path()).mkpath("config/Korvane");
        QDir(m_home.path()).mkpath("runtime");
        QFile::setPermissions(m_home.filePath("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_clip = m_home.filePath("a clip $x.mkv");
        QFile clip(m_clip);
        ASSERT_TRUE(clip.open(QIODevice::WriteOnly));
        clip.write("not really a video, the hand-over does not look inside");
    }
    QString home() const { return m_home.path(); }
    QString configFile() const { return m_home.filePath("config/Korvane/Config.cfg"); }

    // Starts the first player and waits until later starts can find it.
    void startFirst(Player& first)
    {
        first.start();
        const QString store = m_home.filePath("config/Korvane/store.ini");
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            QFile file(store);
            if (file.open(QIODevice::ReadOnly) && file.readAll().contains("txtHwnd1=")) {
                return;
            }
            QThread::msleep(20);
        }
        FAIL() << "first player never published its sockets";
    }

    QTemporaryDir m_home;
    QString m_clip;
};

} // namespace

TEST_F(HandOverEndToEnd, SecondStartHandsSupportedFileToRunningPlayer)
{
    Player first(home());
    startFirst(first);

    Player second(home());
    second.start({m_clip});
    EXPECT_TRUE(second.finishesWithin(5000));
    EXPECT_TRUE(first.waitForOutput("received: " + m_clip));
    EXPECT_FALSE(second.output().contains("sound restored")) << "the light start handed over";

    // No settings to read: the full start decides, as the light start would have.
    QFile::remove(configFile());
    Player third(home());
    third.start({m_clip, "*Add"});
    EXPECT_TRUE(third.finishesWithin(5000));
    EXPECT_TRUE(first.waitForOutput("received: " + m_clip + " *Add"));

    // Several names go over in one message, each reaching the intake in order.
    const QString other = m_home.filePath("other 100%.webm");
    QFile(m_clip).copy(other);
    Player fourth(home());
    fourth.start({other, m_clip, "*Add"});
    EXPECT_TRUE(fourth.finishesWithin(5000));
    EXPECT_TRUE(first.waitForOutput("received: *Files file://"));
    EXPECT_TRUE(first.waitForOutput("refused " + other));
    EXPECT_TRUE(first.running());
}

TEST_F(HandOverEndToEnd, OnlyAbsolutePathsOfRegularFilesAreProbed)
{
    Player first(home());
    startFirst(first);
    QFile store(m_home.filePath("config/Korvane/store.ini"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    QString socket;
    for (const QByteArray& line : store.readAll().split('\n')) {
        if (line.startsWith("txtHwnd=")) {
            socket = QString::fromUtf8(line.mid(8).trimmed());
        }
    }
    ASSERT_FALSE(socket.isEmpty());
    // Sent as a hostile or careless local program would, past the start-up's own checks.
    LocalInstanceChannel channel;
    EXPECT_TRUE(channel.send(socket, "relative.mkv"));
    EXPECT_TRUE(first.waitForOutput("hand-over refused: not an absolute path: relative.mkv"));
    EXPECT_TRUE(channel.send(socket, "/dev/zero"));
    EXPECT_TRUE(first.waitForOutput("refused /dev/zero"));
    EXPECT_TRUE(first.running());
}

TEST_F(HandOverEndToEnd, SecondStartWithNothingEndsAndAnotherTypeIsRefusedByTheFirst)
{
    Player first(home());
    startFirst(first);

    Player empty(home());
    empty.start();
    EXPECT_TRUE(empty.finishesWithin(5000));

    EXPECT_FALSE(first.waitForOutput("received:", 500));

    // A file of another type goes over too: the running player says why it is not opened.
    const QString notes = m_home.filePath("notes.txt");
    Player unsupported(home());
    unsupported.start({notes});
    EXPECT_TRUE(unsupported.finishesWithin(5000));
    EXPECT_TRUE(
        first.waitForOutput("refused " + notes + ": Korvane does not open files of this type."));
    EXPECT_TRUE(first.running());
}

TEST_F(HandOverEndToEnd, NewPlayerSettingKeepsBothRunning)
{
    Player init(home());
    startFirst(init);
    init.signal(SIGTERM);
    ASSERT_TRUE(init.finishesWithin(10000));
    QFile config(configFile());
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = config.readAll().split('\n');
    config.close();
    ASSERT_GE(lines.size(), 46);
    lines[10] = " 1 \r"; // UseNewPlayer
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(lines.join('\n'));
    config.close();

    Player first(home());
    startFirst(first);
    Player second(home());
    second.start({m_clip});
    EXPECT_FALSE(second.finishesWithin(1500));
    EXPECT_TRUE(second.running());
    EXPECT_FALSE(first.waitForOutput("received:", 300));
}

TEST_F(HandOverEndToEnd, StaleNamesOfKilledPlayerDoNotStopNewStart)
{
    {
        Player victim(home());
        startFirst(victim);
        victim.signal(SIGKILL);
        ASSERT_TRUE(victim.finishesWithin(5000));
    }
    Player next(home());
    next.start({m_clip});
    EXPECT_FALSE(next.finishesWithin(1500));
    EXPECT_TRUE(next.running());

    // And it is now the one later starts find.
    Player later(home());
    later.start({m_clip});
    EXPECT_TRUE(later.finishesWithin(5000));
    EXPECT_TRUE(next.waitForOutput("received: " + m_clip));
}

TEST_F(HandOverEndToEnd, TerminationSavesSettings)
{
    Player first(home());
    startFirst(first);
    QFile::remove(configFile());
    first.signal(SIGTERM);
    ASSERT_TRUE(first.finishesWithin(10000));
    QFile config(configFile());
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_EQ(config.readAll().count("\r\n"), 46);
}

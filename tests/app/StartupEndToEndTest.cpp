// Start-up of the real program with a file on its command line: the probe worker started before
// the window is taken over (one worker, the first file described at full priority, the rest in
// the background), one libVLC instance for the run, and a refused file never played.
#include "GeneratedMedia.h"
#include "PlayerProcess.h"
#include "QtPrinters.h"
#include "mediainfo/ProbeWorkerClient.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// The niceness of every thread of a process; empty when it is gone.
QList<int> threadNiceness(qint64 pid)
{
    QList<int> found;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task) + "/stat");
        if (!stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // The name field may hold blanks: count from the closing parenthesis.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        found << fields.value(16).toInt(); // field 19 of the whole line
    }
    return found;
}

class StartupEndToEnd : public PlayerHomeTest
{};

} // namespace

TEST_F(StartupEndToEnd, EarlyWorkerDescribesTheFirstFileAtFullPriorityThenYields)
{
    const QString first = m_home.filePath("first.mp4");
    const QString second = m_home.filePath("second.mp4");
    ASSERT_TRUE(makeClip(first));
    ASSERT_TRUE(QFile::copy(first, second));

    PlayerProcess player(m_home.path());
    // The worker is under test here, even in a run that has files described by the program.
    player.setEnvironment("KORVANE_PROBE", "worker");
    player.start({first});
    ASSERT_TRUE(player.waitForOutput("engine state Engine::Playing", 30000))
        << player.output().toStdString();
    const QRegularExpressionMatch started =
        QRegularExpression("probe worker started, process (\\d+)").match(player.output());
    ASSERT_TRUE(started.hasMatch()) << player.output().toStdString();
    const qint64 worker = started.captured(1).toLongLong();
    const QList<int> whileFirst = threadNiceness(worker);
    ASSERT_FALSE(whileFirst.isEmpty()) << "the worker stays for the run";
    EXPECT_EQ(whileFirst, QList<int>(whileFirst.size(), 0));
    EXPECT_EQ(player.output().count("libVLC instance made"), 1)
        << "one instance, made with the engine options";

    PlayerProcess later(m_home.path());
    later.start({second, "*Add"});
    EXPECT_TRUE(later.finishesWithin(10000));
    ASSERT_TRUE(player.waitForOutput("playlist: accepted " + second, 20000));
    const QList<int> afterSecond = threadNiceness(worker);
    EXPECT_EQ(afterSecond, QList<int>(afterSecond.size(), ProbeWorkerClient::EarlyWorkerNiceness));
    EXPECT_EQ(player.output().count("probe worker started"), 1) << "the early worker is used";
    player.signal(SIGTERM);
    EXPECT_TRUE(player.finishesWithin(10000));
}

TEST_F(StartupEndToEnd, ARefusedCommandLineFileNeverPlays)
{
    // Named like a clip, but no decoder can read it.
    const QString broken = m_home.filePath("broken.mp4");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, '\x47'));
    file.close();
    const QString good = m_home.filePath("good.mp4");
    ASSERT_TRUE(makeClip(good));

    PlayerProcess player(m_home.path());
    player.start({broken});
    ASSERT_TRUE(player.waitForOutput("refused " + broken, 20000)) << player.output().toStdString();
    // A file that is taken in afterwards plays; the refused one has not by then.
    PlayerProcess later(m_home.path());
    later.start({good});
    EXPECT_TRUE(later.finishesWithin(10000));
    ASSERT_TRUE(player.waitForOutput("engine state Engine::Playing", 30000))
        << player.output().toStdString();
    const QString output = player.output();
    EXPECT_EQ(output.count("playback: playing "), 1) << output.toStdString();
    EXPECT_TRUE(output.contains("playing 0 " + good)) << output.toStdString();
    EXPECT_LT(output.indexOf("refused " + broken), output.indexOf("engine state"))
        << "no engine state before the refusal";
    EXPECT_EQ(output.count("engine state Engine::Opening"), 1) << output.toStdString();
    player.signal(SIGTERM);
    EXPECT_TRUE(player.finishesWithin(10000));
}

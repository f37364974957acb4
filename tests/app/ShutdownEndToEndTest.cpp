// The real program ending while a probe cannot finish.
#include "PlayerProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool storeNamesAPlayer(const QString& store)
{
    QFile file(store);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains("txtHwnd1=");
}

// The process id a fake decoder wrote, once it runs.
qint64 decoderPid(const QString& pidFile)
{
    QFile file(pidFile);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

// A zombie waiting for whoever adopted it to reap it no longer runs.
bool processRuns(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (pid <= 0 || !stat.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray line = stat.readAll();
    const qsizetype end = line.lastIndexOf(')');
    return end > 0 && line.mid(end + 2, 1) != "Z";
}

} // namespace

TEST(ShutdownEndToEnd, EndsAtOnceWhileAProbeIsStuckAndLeavesNoDecoderBehind)
{
    QTemporaryDir home;
    QDir(home.path()).mkpath("config/Korvane");
    QDir(home.path()).mkpath("runtime");
    QFile::setPermissions(home.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A decoder that never answers, like one reading a disk that does not: the decoder program
    // comes first on the path, and the player is told to use the program.
    QDir(home.path()).mkpath("bin");
    const QString pidFile = home.filePath("decoder.pid");
    QFile decoder(home.filePath("bin/ffmpeg"));
    ASSERT_TRUE(decoder.open(QIODevice::WriteOnly));
    decoder.write("#!/bin/sh\necho $$ > '" + QFile::encodeName(pidFile) + "'\nexec sleep 60\n");
    decoder.close();
    decoder.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString clip = home.filePath("x.mp4");
    QFile media(clip);
    ASSERT_TRUE(media.open(QIODevice::WriteOnly));
    media.write(QByteArray(4096, 'x'));
    media.close();
    const QString path = home.filePath("bin") + ':' + qEnvironmentVariable("PATH");

    struct Case
    {
        const char* name;
        int signalNumber; // the desktop session ending the player, or Ctrl+C in a terminal
    };
    for (const Case& c : {Case{"terminated", SIGTERM}, Case{"interrupted", SIGINT}}) {
        QFile::remove(home.filePath("config/Korvane/store.ini"));
        QFile::remove(pidFile);
        PlayerProcess player(home.path());
        player.setEnvironment("PATH", path);
        player.setEnvironment("KORVANE_PROBE", "program");
        player.start();
        QElapsedTimer waited;
        waited.start();
        while (!storeNamesAPlayer(home.filePath("config/Korvane/store.ini")) &&
               waited.elapsed() < 10000) {
            QThread::msleep(20);
        }
        // The file comes by hand-over, as from a file manager.
        PlayerProcess later(home.path());
        later.start({clip});
        ASSERT_TRUE(later.finishesWithin(5000)) << c.name;
        ASSERT_TRUE(player.waitForOutput("received:", 5000)) << c.name;
        waited.start();
        while (!processRuns(decoderPid(pidFile)) && waited.elapsed() < 10000) {
            QThread::msleep(20);
        }
        const qint64 pid = decoderPid(pidFile);
        ASSERT_TRUE(processRuns(pid)) << c.name << ": the decoder never started";

        QElapsedTimer ending;
        ending.start();
        player.signal(c.signalNumber);
        EXPECT_TRUE(player.finishesWithin(5000))
            << c.name << ": still running after " << ending.elapsed() << " ms";
        QThread::msleep(200);
        EXPECT_FALSE(processRuns(pid)) << c.name << ": the decoder outlived the player";
        // Nothing of the player is left listening.
        EXPECT_TRUE(QDir(home.filePath("runtime"))
                        .entryList({"korvane-*"}, QDir::System | QDir::Files)
                        .isEmpty())
            << c.name;
    }
}

// The real program ending while a probe cannot finish.
#include "PlayerProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// True while some process has the FIFO open for reading.
bool fifoHasReader(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno != ENXIO;
}

bool storeNamesAPlayer(const QString& store)
{
    QFile file(store);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains("txtHwnd1=");
}

} // namespace

TEST(ShutdownEndToEnd, EndsAtOnceWhileAProbeIsStuckAndLeavesNoDecoderBehind)
{
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    QTemporaryDir home;
    QDir(home.path()).mkpath("config/Korvane");
    QDir(home.path()).mkpath("runtime");
    QFile::setPermissions(home.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // A FIFO never gives the decoder its first byte, like a file on a disk that does not answer.
    const QString fifo = home.filePath("x.mp4");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    struct Case
    {
        const char* name;
        int signalNumber; // the desktop session ending the player, or Ctrl+C in a terminal
    };
    for (const Case& c : {Case{"terminated", SIGTERM}, Case{"interrupted", SIGINT}}) {
        QFile::remove(home.filePath("config/Korvane/store.ini"));
        PlayerProcess player(home.path());
        player.start();
        QElapsedTimer waited;
        waited.start();
        while (!storeNamesAPlayer(home.filePath("config/Korvane/store.ini")) &&
               waited.elapsed() < 10000) {
            QThread::msleep(20);
        }
        // The FIFO comes by hand-over, as from a file manager.
        PlayerProcess later(home.path());
        later.start({fifo});
        ASSERT_TRUE(later.finishesWithin(5000)) << c.name;
        ASSERT_TRUE(player.waitForOutput("received:", 5000)) << c.name;
        waited.start();
        while (!fifoHasReader(fifo) && waited.elapsed() < 10000) {
            QThread::msleep(20);
        }
        ASSERT_TRUE(fifoHasReader(fifo)) << c.name << ": the decoder never opened the file";

        QElapsedTimer ending;
        ending.start();
        player.signal(c.signalNumber);
        EXPECT_TRUE(player.finishesWithin(5000))
            << c.name << ": still running after " << ending.elapsed() << " ms";
        QThread::msleep(200);
        EXPECT_FALSE(fifoHasReader(fifo)) << c.name << ": the decoder outlived the player";
        // Nothing of the player is left listening.
        EXPECT_TRUE(QDir(home.filePath("runtime"))
                        .entryList({"korvane-*"}, QDir::System | QDir::Files)
                        .isEmpty())
            << c.name;
    }
}

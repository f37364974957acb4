#include "mediainfo/MediaProber.h"
#include "playlist/FileIntake.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

int ownNiceness()
{
    errno = 0;
    return getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
}

// Reads the niceness of the probing thread and of a program it starts, as the decoder would be.
class NicenessProber : public MediaProber
{
public:
    bool probe(const QString&, ProbeResult& result) override
    {
        threadNiceness = ownNiceness();
        QProcess child;
        child.start(QStringLiteral("nice"), {});
        if (child.waitForFinished(10000) && child.exitCode() == 0) {
            childNiceness = child.readAllStandardOutput().trimmed().toInt();
        }
        onUiThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        result.streamInfoText = QStringLiteral("probed");
        return true;
    }
    std::atomic<int> threadNiceness{-100};
    std::atomic<int> childNiceness{-100};
    std::atomic<bool> onUiThread{true};
};

} // namespace

TEST(FileIntakePriority, ProbesAndTheProgramsTheyStartYieldTheCpuToTheWindow)
{
    const int uiNiceness = ownNiceness();
    NicenessProber prober;
    FileIntake intake(prober);
    int delivered = 0;
    QObject::connect(&intake, &FileIntake::ready, [&] { ++delivered; });
    intake.enqueue(
        IntakeRequest{QStringLiteral("a.mp4"), QStringLiteral("/media/a.mp4"), false, false, 0});
    QElapsedTimer timer;
    timer.start();
    while (delivered == 0 && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ASSERT_EQ(delivered, 1);
    EXPECT_FALSE(prober.onUiThread);
    EXPECT_GE(prober.threadNiceness, 10);
    EXPECT_GT(prober.threadNiceness, uiNiceness);
    EXPECT_EQ(prober.childNiceness, prober.threadNiceness);
    // The window itself keeps its priority.
    EXPECT_EQ(ownNiceness(), uiNiceness);
}

// The disc watch runs once a second for the program's life: what one tick costs the UI thread
// with no optical drive (this machine's /proc), and with an idle drive holding a disc (a folder
// standing in for /proc, an ISO image for the drive), the disc already read once.
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/LinuxDriveProvider.h"
#include "system/PowerControl.h"
#include "system/UserMessages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

namespace {

class NoPower : public PowerControl
{
public:
    void reboot() override {}
    void powerOff() override {}
};

class NoMessages : public UserMessages
{
public:
    void show(Icon, const QString&, const QString&) override {}
};

QByteArray isoWithLabel(const char* label)
{
    QByteArray image(20 * 2048, '\0');
    char* pvd = image.data() + 16 * 2048;
    pvd[0] = 1;
    memcpy(pvd + 1, "CD001", 5);
    memcpy(pvd + 40, QByteArray(label).leftJustified(32, ' ').constData(), 32);
    pvd[2048] = static_cast<char>(255);
    memcpy(pvd + 2049, "CD001", 5);
    return image;
}

void runWatch(benchmark::State& state, LinuxDriveProvider& drives)
{
    SettingsStore settings{SettingsEnvironment{}};
    NoPower power;
    NoMessages messages;
    PlaylistModel playlist;
    PlaybackSession session(settings, playlist, power, [](const QStringList&) { return nullptr; });
    DvdPlayback dvd(drives, session, playlist, messages, QString());
    // The first tick starts the one read of the disc; wait for it, as a second would.
    dvd.checkDVD();
    for (int i = 0;
         i < 200 && dvd.drives().count() > 0 && dvd.drives().dvdDrives.value(0).isEmpty(); ++i) {
        QThread::msleep(5);
        dvd.checkDVD();
    }
    const int readsBefore = drives.discReads();
    for (auto _ : state) {
        dvd.checkDVD();
    }
    state.counters["drives"] = dvd.drives().count();
    state.counters["disc_reads_during_ticks"] = drives.discReads() - readsBefore;
}

void BM_WatchTickNoDrive(benchmark::State& state)
{
    LinuxDriveProvider drives;
    runWatch(state, drives);
}
BENCHMARK(BM_WatchTickNoDrive)->Unit(benchmark::kMicrosecond);

void BM_WatchTickIdleDiscDrive(benchmark::State& state)
{
    QTemporaryDir root;
    QDir().mkpath(root.filePath("proc/sys/dev/cdrom"));
    QDir().mkpath(root.filePath("dev"));
    QFile info(root.filePath("proc/sys/dev/cdrom/info"));
    info.open(QIODevice::WriteOnly);
    info.write("drive name:\t\tsr0\n");
    info.close();
    QFile mounts(root.filePath("proc/mounts"));
    mounts.open(QIODevice::WriteOnly);
    mounts.write("sysfs /sys sysfs rw 0 0\nproc /proc proc rw 0 0\n");
    mounts.close();
    QFile disc(root.filePath("dev/sr0"));
    disc.open(QIODevice::WriteOnly);
    disc.write(isoWithLabel("DATA DISC"));
    disc.close();
    LinuxDriveProvider drives(root.filePath("proc"), root.filePath("dev"));
    runWatch(state, drives);
}
BENCHMARK(BM_WatchTickIdleDiscDrive)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

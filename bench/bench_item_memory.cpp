// Resident memory over many items of real playback: the playback session playing one-second
// clips back to back (Continuous, Repeat all) into a real X window with a real audio output, as
// the program does. Run through bench/item_memory.sh, which provides Xvfb and a sound server.
//
//   bench_item_memory [items] [--fresh-instance]
//
// --fresh-instance makes a libVLC instance per item, as engines did before they shared one,
// for comparison.
#include "playback/PlaybackSession.h"
#include "playback/engine/VlcEngine.h"
#include "playback/engine/VlcEngineFactory.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/PowerControl.h"
#include "ui/frame/VideoArea.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

class NoPower : public PowerControl
{
public:
    void reboot() override {}
    void powerOff() override {}
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int items = 200;
    bool fresh = false;
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == QLatin1String("--fresh-instance")) {
            fresh = true;
        } else if (argument.toInt() > 0) {
            items = argument.toInt();
        }
    }
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "needs a real X display (run bench/item_memory.sh)\n");
        return 2;
    }

    QTemporaryDir dir;
    const QString clip = dir.filePath(QStringLiteral("second.mp4"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-nostdin",
                                            "-v",
                                            "error",
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "testsrc=d=1:s=640x360:r=25",
                                            "-f",
                                            "lavfi",
                                            "-i",
                                            "sine=d=1:f=440:sample_rate=48000",
                                            "-c:v",
                                            "libx264",
                                            "-preset",
                                            "ultrafast",
                                            "-pix_fmt",
                                            "yuv420p",
                                            "-c:a",
                                            "aac",
                                            "-shortest",
                                            clip});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 2;
    }

    VideoArea surface;
    surface.resize(640, 360);
    surface.show();

    SettingsStore settings{SettingsEnvironment{}};
    settings.setPlayMode(PlayMode::Continuous);
    settings.setRepeatMode(RepeatMode::RepeatAll);
    NoPower power;
    PlaylistModel playlist;
    for (int i = 0; i < 3; ++i) {
        playlist.append(PlaylistEntry{QStringLiteral("clip %1").arg(i), {}, clip, {}});
    }
    PlaybackSession::EngineFactory factory;
    if (fresh) {
        factory = [&surface](const QStringList& options) {
            return std::make_unique<VlcEngine>(options, &surface);
        };
    } else {
        factory = VlcEngineFactory(&surface);
    }
    PlaybackSession session{settings, playlist, power, factory};
    session.applyEngineSettings();
    session.createPlayer();

    const long before = residentKiB();
    int started = 0;
    QElapsedTimer clock;
    clock.start();
    std::printf("mode %s, %d items of 1 s, 640x360 H.264 + AAC\n",
                fresh ? "fresh-instance" : "shared-instance", items);
    std::printf("before the first item: %.1f MiB\n", before / 1024.0);
    QObject::connect(&session, &PlaybackSession::itemStarted, [&] {
        ++started;
        if (started == 1 || started == 5 || started % 25 == 0) {
            std::printf("after %3d items: %6.1f MiB  (%.0f s)\n", started - 1,
                        residentKiB() / 1024.0, clock.elapsed() / 1000.0);
            std::fflush(stdout);
        }
        if (started > items) {
            QApplication::quit();
        }
    });
    playlist.select(0);
    session.rebuildSequence();
    session.playEntry(0, false);
    QTimer::singleShot(items * 5000 + 30000, &app, [] {
        std::fprintf(stderr, "gave up waiting\n");
        QApplication::exit(1);
    });
    const int rc = QApplication::exec();
    std::printf("played %d items in %.0f s\n", started - 1, clock.elapsed() / 1000.0);
    return rc;
}

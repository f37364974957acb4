// What each way of keeping a paused picture costs with libVLC 3's own video output, embedded in a
// native Qt window full screen, on a real display: the output as it is, its window shrunk to one
// pixel, the video track released, and what a released track costs again on resume.
//   bench_paused_ways CLIP [SECONDS]
// Prints one line per way. Runs under bench/paused_ways.sh, which starts the display, the window
// manager and the sound server.
#include "PausedBenchSupport.h"
#include "playback/engine/VlcInstance.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <vector>
#include <vlc/vlc.h>

using pausedbench::processCpuSeconds;
using pausedbench::settle;

namespace {

std::atomic<int> g_vouts{0};
std::atomic<int> g_playing{0};

void onEvent(const libvlc_event_t* event, void*)
{
    if (event->type == libvlc_MediaPlayerVout) {
        g_vouts = event->u.media_player_vout.new_count;
    } else if (event->type == libvlc_MediaPlayerPlaying) {
        ++g_playing;
    }
}

template <typename Done> bool waitFor(Done done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) {
            return false;
        }
        settle(10);
    }
    return true;
}

// Share of one core the whole process uses over `seconds`; nothing else runs meanwhile.
double cpuPercent(double seconds)
{
    const double before = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QThread::msleep(static_cast<unsigned long>(seconds * 1000));
    return (processCpuSeconds() - before) * 100.0 / (static_cast<double>(wall.elapsed()) / 1000.0);
}

QImage shownImage(QWidget& window)
{
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .scaled(64, 36, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

// A small fingerprint of what the window shows on screen.
QByteArray fingerprint(const QImage& image)
{
    return QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()),
        QCryptographicHash::Md5);
}

QByteArray shown(QWidget& window)
{
    return fingerprint(shownImage(window));
}

bool isBlack(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 16) {
                return false;
            }
        }
    }
    return true;
}

// What the window shows over at most `limit` ms from now: the time of each change of picture and
// what it changed to ("black", "the held picture" or "new"), e.g. "120 black, 400 new, 440 new".
// Stops at the third new picture (the picture moves), or when nothing changes for `quiet` ms.
QString timeline(QWidget& window, const QByteArray& held, int limit, int quiet = 3000)
{
    QElapsedTimer timer;
    timer.start();
    QStringList changes;
    QByteArray previous = shown(window);
    qint64 lastChange = 0;
    int fresh = 0;
    while (timer.elapsed() < limit && timer.elapsed() - lastChange < quiet && fresh < 3) {
        QCoreApplication::processEvents();
        const QImage image = shownImage(window);
        const QByteArray print = fingerprint(image);
        if (print != previous) {
            lastChange = timer.elapsed();
            const bool black = isBlack(image);
            fresh += (print != held && !black) ? 1 : 0;
            changes << QStringLiteral("%1 %2")
                           .arg(lastChange)
                           .arg(print == held ? QStringLiteral("held")
                                : black       ? QStringLiteral("black")
                                              : QStringLiteral("new"));
            previous = print;
        }
        QThread::msleep(5);
    }
    return changes.isEmpty() ? QStringLiteral("no change") : changes.join(QStringLiteral(", "));
}

// A player on a new instance with the engine's arguments (and `extra`) playing `clip` in `video`,
// three seconds after its video output appeared; null when it did not.
libvlc_media_player_t* startPlaying(const QString& clip, QWidget& video, const QStringList& extra,
                                    libvlc_instance_t** vlc)
{
    QStringList arguments = VlcInstance::instanceArguments({}, false, false);
    arguments << QStringLiteral("--aout=pulse") << QStringLiteral("--quiet") << extra;
    QList<QByteArray> utf8;
    std::vector<const char*> argv8;
    for (const QString& argument : arguments) {
        utf8 << argument.toUtf8();
    }
    for (const QByteArray& argument : utf8) {
        argv8.push_back(argument.constData());
    }
    *vlc = libvlc_new(static_cast<int>(argv8.size()), argv8.data());
    libvlc_media_player_t* player = libvlc_media_player_new(*vlc);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(player);
    libvlc_event_attach(events, libvlc_MediaPlayerVout, onEvent, nullptr);
    libvlc_event_attach(events, libvlc_MediaPlayerPlaying, onEvent, nullptr);
    libvlc_media_player_set_xwindow(player, static_cast<uint32_t>(video.winId()));
    libvlc_video_set_mouse_input(player, 0);
    libvlc_video_set_key_input(player, 0);
    libvlc_media_t* media = libvlc_media_new_path(*vlc, QFile::encodeName(clip).constData());
    libvlc_media_player_set_media(player, media);
    libvlc_media_release(media);
    libvlc_media_player_play(player);
    if (!waitFor([] { return g_vouts > 0; }, 20000)) {
        std::fprintf(stderr, "no video output\n");
        return nullptr;
    }
    settle(3000);
    return player;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_paused_ways CLIP [SECONDS]\n");
        return 2;
    }
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const double seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 10.0;

    // The player's own window arrangement: a black full-screen window, the video in a native
    // child that covers it.
    QWidget frame;
    frame.setStyleSheet(QStringLiteral("background: black"));
    QWidget video(&frame);
    video.setAttribute(Qt::WA_NativeWindow);
    video.setAttribute(Qt::WA_OpaquePaintEvent);
    frame.showFullScreen();
    settle(500);
    video.setGeometry(frame.rect());
    video.show();
    settle(300);

    std::printf("video window %d x %d\n", video.width(), video.height());
    libvlc_instance_t* vlc = nullptr;
    libvlc_media_player_t* player = startPlaying(clip, video, {}, &vlc);
    if (!player) {
        return 2;
    }
    std::printf("%-52s %8.2f %%\n", "playing, CPU", cpuPercent(seconds));

    // 1. Paused as it is: the output draws the picture again every 80 ms.
    libvlc_media_player_set_pause(player, 1);
    settle(2000);
    std::printf("%-52s %8.2f %%\n", "paused, output as it is", cpuPercent(seconds));

    QByteArray held = shown(video);
    libvlc_media_player_set_pause(player, 0);
    std::printf("  resume: %s ms\n", qPrintable(timeline(video, held, 15000)));
    settle(2000);

    // 2. Paused with the output's window shrunk to one pixel.
    libvlc_media_player_set_pause(player, 1);
    settle(1000);
    video.setGeometry(0, 0, 1, 1);
    settle(1000);
    std::printf("%-52s %8.2f %%\n", "paused, output window 1 x 1", cpuPercent(seconds));
    video.setGeometry(frame.rect());
    settle(500);
    libvlc_media_player_set_pause(player, 0);
    settle(2000);

    // 3. A snapshot of the paused picture at its own size, taken on the calling thread.
    libvlc_media_player_set_pause(player, 1);
    settle(1000);
    const QString snapshot = QDir::tempPath() + QStringLiteral("/korvane-paused-ways.png");
    QElapsedTimer snapTimer;
    snapTimer.start();
    const double snapCpu = processCpuSeconds();
    const int snapped =
        libvlc_video_take_snapshot(player, 0, QFile::encodeName(snapshot).constData(), 0, 0);
    std::printf("%-52s %8lld ms (%.0f ms CPU, %s)\n", "snapshot at the picture's own size",
                static_cast<long long>(snapTimer.elapsed()), (processCpuSeconds() - snapCpu) * 1000,
                snapped == 0 ? "written" : "failed");
    QFile::remove(snapshot);

    // 4. Paused with the video track released: no output left to draw.
    const libvlc_time_t pausedAt = libvlc_media_player_get_time(player);
    const int track = libvlc_video_get_track(player);
    held = shown(video);
    libvlc_video_set_track(player, -1);
    waitFor([] { return g_vouts == 0; }, 5000);
    settle(1000);
    std::printf("%-52s %8.2f %%\n", "paused, video track released", cpuPercent(seconds));
    {
        const QImage released = shownImage(video);
        std::printf("  the window shows meanwhile: %s\n", fingerprint(released) == held
                                                              ? "the paused picture"
                                                          : isBlack(released) ? "black"
                                                                              : "another picture");
        if (qEnvironmentVariableIsSet("KORVANE_BENCH_DUMP")) {
            released.save(qEnvironmentVariable("KORVANE_BENCH_DUMP") +
                          QStringLiteral("/released.png"));
        }
    }

    // Resume at once: the track again, back to the paused time, play.
    QElapsedTimer resume;
    resume.start();
    libvlc_video_set_track(player, track);
    libvlc_media_player_set_time(player, pausedAt);
    libvlc_media_player_set_pause(player, 0);
    std::printf("  resume at once (sound plays meanwhile): %s ms\n",
                qPrintable(timeline(video, held, 15000, 12000)));
    settle(2000);

    // Resume once the track is ready again: the picture and the sound start together.
    libvlc_media_player_set_pause(player, 1);
    settle(1000);
    const libvlc_time_t pausedAgain = libvlc_media_player_get_time(player);
    held = shown(video);
    libvlc_video_set_track(player, -1);
    waitFor([] { return g_vouts == 0; }, 5000);
    settle(1000);
    resume.restart();
    libvlc_video_set_track(player, track);
    libvlc_media_player_set_time(player, pausedAgain);
    waitFor([] { return g_vouts > 0; }, 15000);
    const qint64 ready = resume.elapsed();
    // The new output draws the paused frame once it is decoded again; play once the window has
    // shown no change for a second.
    const QString beforePlay = timeline(video, held, 5000, 1000);
    const qint64 played = resume.elapsed();
    libvlc_media_player_set_pause(player, 0);
    std::printf("  resume when ready: output back after %lld ms, until play %s ms; played at %lld "
                "ms: %s ms\n",
                static_cast<long long>(ready), qPrintable(beforePlay),
                static_cast<long long>(played),
                qPrintable(timeline(video, shown(video), 15000, 12000)));

    libvlc_media_player_stop(player);
    libvlc_media_player_release(player);
    libvlc_release(vlc);

    // 5. libVLC's plain X11 output (no OpenGL): what its redraws cost.
    g_vouts = 0;
    player = startPlaying(clip, video, {QStringLiteral("--vout=xcb_x11")}, &vlc);
    if (!player) {
        return 2;
    }
    std::printf("%-52s %8.2f %%\n", "X11 output: playing, CPU", cpuPercent(seconds));
    libvlc_media_player_set_pause(player, 1);
    settle(2000);
    std::printf("%-52s %8.2f %%\n", "X11 output: paused", cpuPercent(seconds));
    libvlc_media_player_stop(player);
    libvlc_media_player_release(player);
    libvlc_release(vlc);
    return 0;
}

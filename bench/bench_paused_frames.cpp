// libVLC 3 drawing into memory (libvlc_video_set_callbacks, RV32 at the window's size) and Qt
// painting the frames, beside libVLC's own OpenGL output embedded in a native window: CPU playing
// full screen, paused, and paused with libVLC's output thread held asleep in the buffer callback.
//   bench_paused_frames CLIP [SECONDS]
// Runs under bench/paused_ways.sh, which starts the display, the window manager and the sound
// server.
#include "PausedBenchSupport.h"
#include "playback/engine/VlcInstance.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <vector>
#include <vlc/vlc.h>

using pausedbench::processCpuSeconds;
using pausedbench::settle;

namespace {

std::atomic<int> g_vouts{0};

void onEvent(const libvlc_event_t* event, void*)
{
    if (event->type == libvlc_MediaPlayerVout) {
        g_vouts = event->u.media_player_vout.new_count;
    }
}

// Share of one core the whole process uses over `seconds`, the event loop running meanwhile (the
// frames are painted by it) without polling.
double cpuPercent(double seconds)
{
    const double before = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return (processCpuSeconds() - before) * 100.0 / (static_cast<double>(wall.elapsed()) / 1000.0);
}

// Paints the frames libVLC decodes into two buffers the size of the widget.
class FrameView : public QWidget
{
public:
    FrameView() { setAttribute(Qt::WA_OpaquePaintEvent); }

    // While held, the output thread waits in lock(): it cannot draw the paused picture again.
    void hold(bool held)
    {
        {
            std::lock_guard guard(m_mutex);
            m_held = held;
        }
        m_wake.notify_all();
    }
    int displays() const { return m_displays; }

    // libVLC's output thread.
    static unsigned format(void** opaque, char* chroma, unsigned* width, unsigned* height,
                           unsigned* pitches, unsigned* lines)
    {
        auto* view = static_cast<FrameView*>(*opaque);
        std::memcpy(chroma, "RV32", 4);
        *width = static_cast<unsigned>(view->m_size.width());
        *height = static_cast<unsigned>(view->m_size.height());
        pitches[0] = *width * 4;
        lines[0] = *height;
        std::lock_guard guard(view->m_mutex);
        for (QImage& buffer : view->m_buffers) {
            buffer = QImage(view->m_size, QImage::Format_RGB32);
            buffer.fill(Qt::black);
        }
        return 1;
    }
    static void* lock(void* opaque, void** planes)
    {
        auto* view = static_cast<FrameView*>(opaque);
        std::unique_lock guard(view->m_mutex);
        view->m_wake.wait(guard, [view] { return !view->m_held; });
        const int index = view->m_shown == 0 ? 1 : 0;
        planes[0] = view->m_buffers[index].bits();
        return reinterpret_cast<void*>(static_cast<std::intptr_t>(index));
    }
    static void unlock(void*, void*, void* const*) {}
    static void display(void* opaque, void* picture)
    {
        auto* view = static_cast<FrameView*>(opaque);
        const int index = static_cast<int>(reinterpret_cast<std::intptr_t>(picture));
        ++view->m_displays;
        QMetaObject::invokeMethod(
            view,
            [view, index] {
                {
                    std::lock_guard guard(view->m_mutex);
                    view->m_shown = index;
                }
                view->update();
            },
            Qt::QueuedConnection);
    }

    QSize m_size;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        std::lock_guard guard(m_mutex);
        if (m_shown < 0) {
            painter.fillRect(rect(), Qt::black);
        } else {
            painter.drawImage(0, 0, m_buffers[m_shown]);
        }
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_held = false;
    QImage m_buffers[2];
    int m_shown = -1;
    std::atomic<int> m_displays{0};
};

libvlc_instance_t* newInstance()
{
    QStringList arguments = VlcInstance::instanceArguments({}, false, false);
    arguments << QStringLiteral("--aout=pulse") << QStringLiteral("--quiet");
    QList<QByteArray> utf8;
    std::vector<const char*> argv8;
    for (const QString& argument : arguments) {
        utf8 << argument.toUtf8();
    }
    for (const QByteArray& argument : utf8) {
        argv8.push_back(argument.constData());
    }
    return libvlc_new(static_cast<int>(argv8.size()), argv8.data());
}

libvlc_media_player_t* newPlayer(libvlc_instance_t* vlc, const QString& clip)
{
    libvlc_media_player_t* player = libvlc_media_player_new(vlc);
    libvlc_event_attach(libvlc_media_player_event_manager(player), libvlc_MediaPlayerVout, onEvent,
                        nullptr);
    libvlc_media_t* media = libvlc_media_new_path(vlc, QFile::encodeName(clip).constData());
    libvlc_media_player_set_media(player, media);
    libvlc_media_release(media);
    return player;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_paused_frames CLIP [SECONDS]\n");
        return 2;
    }
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const double seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toDouble() : 10.0;
    libvlc_instance_t* vlc = newInstance();

    // libVLC's own output, embedded as the player embeds it.
    {
        QWidget native;
        native.setAttribute(Qt::WA_NativeWindow);
        native.setAttribute(Qt::WA_OpaquePaintEvent);
        native.showFullScreen();
        settle(800);
        libvlc_media_player_t* player = newPlayer(vlc, clip);
        libvlc_media_player_set_xwindow(player, static_cast<uint32_t>(native.winId()));
        libvlc_video_set_mouse_input(player, 0);
        libvlc_video_set_key_input(player, 0);
        libvlc_media_player_play(player);
        settle(3000);
        std::printf("%-52s %8.2f %%\n", "OpenGL output: playing", cpuPercent(seconds));
        libvlc_media_player_set_pause(player, 1);
        settle(2000);
        std::printf("%-52s %8.2f %%\n", "OpenGL output: paused", cpuPercent(seconds));
        libvlc_media_player_stop(player);
        libvlc_media_player_release(player);
    }

    // Frames into memory, painted by Qt.
    FrameView view;
    view.showFullScreen();
    settle(800);
    view.m_size = view.size() * view.devicePixelRatio();
    std::printf("window %d x %d\n", view.m_size.width(), view.m_size.height());
    g_vouts = 0;
    libvlc_media_player_t* player = newPlayer(vlc, clip);
    libvlc_video_set_callbacks(player, &FrameView::lock, &FrameView::unlock, &FrameView::display,
                               &view);
    libvlc_video_set_format_callbacks(player, &FrameView::format, nullptr);
    libvlc_media_player_play(player);
    settle(3000);
    int displays = view.displays();
    std::printf("%-52s %8.2f %%", "frames painted by Qt: playing", cpuPercent(seconds));
    std::printf(" (%.1f frames/s)\n", (view.displays() - displays) / seconds);

    libvlc_media_player_set_pause(player, 1);
    settle(2000);
    displays = view.displays();
    std::printf("%-52s %8.2f %%", "frames painted by Qt: paused", cpuPercent(seconds));
    std::printf(" (%.1f redraws/s)\n", (view.displays() - displays) / seconds);

    view.hold(true);
    settle(500);
    displays = view.displays();
    std::printf("%-52s %8.2f %%", "frames painted by Qt: paused, output held", cpuPercent(seconds));
    std::printf(" (%.1f redraws/s)\n", (view.displays() - displays) / seconds);

    // Resume: release the output, play; the first new frame's arrival.
    QElapsedTimer resume;
    resume.start();
    displays = view.displays();
    view.hold(false);
    libvlc_media_player_set_pause(player, 0);
    while (view.displays() < displays + 3 && resume.elapsed() < 10000) {
        settle(5);
    }
    std::printf("%-52s %8lld ms\n", "  resume to the third frame drawn",
                static_cast<long long>(resume.elapsed()));
    settle(1000);
    if (qEnvironmentVariableIsSet("KORVANE_BENCH_DUMP")) {
        view.grab().save(qEnvironmentVariable("KORVANE_BENCH_DUMP") +
                         QStringLiteral("/frames.png"));
    }

    view.hold(false);
    libvlc_media_player_stop(player);
    libvlc_media_player_release(player);
    libvlc_release(vlc);
    return 0;
}

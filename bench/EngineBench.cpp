#include "playback/engine/VlcEngine.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <vlc/vlc.h>

namespace {

QString g_clip;

const char* const kBareArguments[] = {"--no-video-title-show", "--vout=dummy", "--aout=dummy",
                                      "--quiet"};
constexpr int kBareCount = sizeof(kBareArguments) / sizeof(kBareArguments[0]);

void BM_LibvlcNew(benchmark::State& state)
{
    for (auto _ : state) {
        libvlc_instance_t* instance = libvlc_new(kBareCount, kBareArguments);
        benchmark::DoNotOptimize(instance);
        state.PauseTiming();
        libvlc_release(instance);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LibvlcNew)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_VlcEngineCreateAndDestroy(benchmark::State& state)
{
    for (auto _ : state) {
        VlcEngine engine({}, nullptr, VlcEngine::AudioOutput::Dummy);
        benchmark::DoNotOptimize(engine.isValid());
    }
}
BENCHMARK(BM_VlcEngineCreateAndDestroy)->Unit(benchmark::kMillisecond)->Iterations(30);

// From play() to the Playing notification on the UI thread.
void BM_VlcEnginePlayToPlaying(benchmark::State& state)
{
    for (auto _ : state) {
        VlcEngine engine({}, nullptr, VlcEngine::AudioOutput::Dummy);
        engine.open(g_clip);
        QEventLoop loop;
        QObject::connect(&engine, &Engine::stateChanged, &loop, [&](Engine::State s) {
            if (s == Engine::Playing) {
                loop.quit();
            }
        });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        const auto start = std::chrono::steady_clock::now();
        engine.play();
        loop.exec();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (engine.state() != Engine::Playing) {
            state.SkipWithError("the clip did not start");
            break;
        }
    }
}
BENCHMARK(BM_VlcEnginePlayToPlaying)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

// The same start on bare libVLC: the floor the engine is measured against.
void BM_BareLibvlcPlayToPlaying(benchmark::State& state)
{
    struct Wait
    {
        std::mutex mutex;
        std::condition_variable playing;
        bool done = false;
    };
    const QByteArray path = g_clip.toUtf8();
    for (auto _ : state) {
        libvlc_instance_t* instance = libvlc_new(kBareCount, kBareArguments);
        libvlc_media_player_t* player = libvlc_media_player_new(instance);
        libvlc_media_t* media = libvlc_media_new_path(instance, path.constData());
        libvlc_media_player_set_media(player, media);
        libvlc_media_release(media);
        Wait wait;
        libvlc_event_attach(
            libvlc_media_player_event_manager(player), libvlc_MediaPlayerPlaying,
            [](const libvlc_event_t*, void* data) {
                auto* w = static_cast<Wait*>(data);
                std::lock_guard lock(w->mutex);
                w->done = true;
                w->playing.notify_one();
            },
            &wait);
        const auto start = std::chrono::steady_clock::now();
        libvlc_media_player_play(player);
        {
            std::unique_lock lock(wait.mutex);
            wait.playing.wait_for(lock, std::chrono::seconds(5), [&] { return wait.done; });
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        libvlc_media_player_stop(player);
        libvlc_media_player_release(player);
        libvlc_release(instance);
    }
}
BENCHMARK(BM_BareLibvlcPlayToPlaying)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_clip = dir.path() + "/clip.mp4";
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-nostdin", "-f", "lavfi", "-i",
                            "testsrc=d=3:s=320x240:r=25", "-f", "lavfi", "-i", "sine=d=3", "-c:v",
                            "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest", g_clip});
    if (!ffmpeg.waitForFinished(30000) || ffmpeg.exitCode() != 0) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

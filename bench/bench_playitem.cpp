// Starting an item through the playback session against the same start on bare libVLC, and the
// memory a playing 720p item costs either way.
#include "playback/PlaybackSession.h"
#include "playback/engine/VlcEngine.h"
#include "playlist/PlaylistModel.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "system/FileUserStore.h"
#include "system/PowerControl.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <numeric>
#include <string>
#include <thread>
#include <vector>
#include <vlc/vlc.h>

namespace {

using Clock = std::chrono::steady_clock;

QString g_clip;
QString g_scratch;
// Each start's time in milliseconds, by benchmark, for the summary after the run.
std::map<std::string, std::vector<double>> g_samples;

// VmRSS and VmHWM of this process in KiB.
std::pair<long, long> residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    long rss = 0;
    long hwm = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:")) {
                rss = line.mid(6).trimmed().split(' ').value(0).toLong();
            } else if (line.startsWith("VmHWM:")) {
                hwm = line.mid(6).trimmed().split(' ').value(0).toLong();
            }
        }
    }
    return {rss, hwm};
}

class NoPower : public PowerControl
{
public:
    void reboot() override {}
    void powerOff() override {}
};

// The session as the program wires it (real engine, history in a store file), except that the
// engine draws to the dummy outputs. Every engine it makes reports reaching the playing state.
struct SessionRig
{
    SessionRig()
    {
        Settings record = settings.settings();
        record.snapshotPath = g_scratch;
        settings.apply(record);
        playlist.append(PlaylistEntry{QStringLiteral("clip720.mp4"), {}, g_clip, {}});
        playlist.select(0);
        QObject::connect(&session, &PlaybackSession::itemStarted,
                         [this](const QString& path, const QString& title) {
                             history.addToHistory(path, title);
                         });
        session.applyEngineSettings();
    }

    // Starts the clip and serves events until the new engine reports playing.
    double playToPlaying()
    {
        QEventLoop loop;
        quitPlaying = [&loop] {
            loop.quit();
        };
        playing = false;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        const auto start = Clock::now();
        session.playEntry(0, false);
        returnedMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (!playing) {
            loop.exec();
        }
        const double ms = std::chrono::duration<double, std::milli>(playingAt - start).count();
        quitPlaying = nullptr;
        return playing ? ms : -1.0;
    }

    SettingsStore settings{SettingsEnvironment{}};
    FileUserStore store{g_scratch + QStringLiteral("/store.ini")};
    RecentHistory history{store};
    NoPower power;
    PlaylistModel playlist;
    QStringList lastOptions;
    bool playing = false;
    Clock::time_point playingAt;
    // How long the start call itself held the UI thread.
    double returnedMs = 0.0;
    std::function<void()> quitPlaying;
    PlaybackSession session{
        settings, playlist, power, [this](const QStringList& options) {
            lastOptions = options;
            auto engine =
                std::make_unique<VlcEngine>(options, nullptr, VlcEngine::AudioOutput::Dummy);
            QObject::connect(engine.get(), &Engine::stateChanged, [this](Engine::State state) {
                if (state == Engine::Playing && !playing) {
                    playingAt = Clock::now();
                    playing = true;
                    if (quitPlaying) {
                        quitPlaying();
                    }
                }
            });
            return engine;
        }};
};

// The instance arguments the session's engine is made with, as VlcEngine builds them.
std::vector<QByteArray> g_bareArguments;

void recordArguments()
{
    SessionRig rig;
    rig.playToPlaying();
    QStringList arguments = VlcEngine::instanceArguments(rig.lastOptions, true, true);
    arguments << QStringLiteral("--quiet");
    for (const QString& argument : arguments) {
        g_bareArguments.push_back(argument.toUtf8());
    }
}

// A bare libVLC player on the clip; the Playing event wakes the waiting thread directly.
struct BarePlayer
{
    BarePlayer()
    {
        std::vector<const char*> argv;
        for (const QByteArray& argument : g_bareArguments) {
            argv.push_back(argument.constData());
        }
        instance = libvlc_new(static_cast<int>(argv.size()), argv.data());
        player = libvlc_media_player_new(instance);
        libvlc_media_t* media =
            libvlc_media_new_path(instance, QFile::encodeName(g_clip).constData());
        libvlc_media_player_set_media(player, media);
        libvlc_media_release(media);
        libvlc_event_attach(
            libvlc_media_player_event_manager(player), libvlc_MediaPlayerPlaying,
            [](const libvlc_event_t*, void* data) {
                auto* self = static_cast<BarePlayer*>(data);
                std::lock_guard lock(self->mutex);
                self->playingAt = Clock::now();
                self->playing = true;
                self->changed.notify_one();
            },
            this);
        libvlc_media_player_play(player);
    }
    ~BarePlayer()
    {
        libvlc_media_player_stop(player);
        libvlc_media_player_release(player);
        libvlc_release(instance);
    }
    bool waitPlaying()
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [this] { return playing; });
    }

    libvlc_instance_t* instance = nullptr;
    libvlc_media_player_t* player = nullptr;
    std::mutex mutex;
    std::condition_variable changed;
    bool playing = false;
    Clock::time_point playingAt;
    // How long the start call itself held the UI thread.
    double returnedMs = 0.0;
};

void record(benchmark::State& state, const std::string& key, double ms)
{
    g_samples[key].push_back(ms);
    state.SetIterationTime(ms / 1000.0);
}

// Starting an item with no engine left over: making the engine, handing it the item, starting it.
void BM_SessionPlayItemToPlaying(benchmark::State& state)
{
    SessionRig rig;
    for (auto _ : state) {
        rig.session.releasePlayer();
        const double ms = rig.playToPlaying();
        if (ms < 0) {
            state.SkipWithError("the clip did not start");
            break;
        }
        record(state, "session fresh", ms);
    }
}

// What the user waits for when moving on: the start also takes down the engine of the item that
// is still playing.
void BM_SessionPlayItemReplacingToPlaying(benchmark::State& state)
{
    SessionRig rig;
    rig.playToPlaying();
    for (auto _ : state) {
        const double ms = rig.playToPlaying();
        if (ms < 0) {
            state.SkipWithError("the clip did not start");
            break;
        }
        record(state, "session replacing", ms);
    }
}

void BM_BarePlayToPlaying(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = Clock::now();
        BarePlayer bare;
        if (!bare.waitPlaying()) {
            state.SkipWithError("the clip did not start");
            break;
        }
        record(state, "bare fresh",
               std::chrono::duration<double, std::milli>(bare.playingAt - start).count());
    }
}

void BM_BarePlayReplacingToPlaying(benchmark::State& state)
{
    auto previous = std::make_unique<BarePlayer>();
    previous->waitPlaying();
    for (auto _ : state) {
        const auto start = Clock::now();
        previous.reset();
        auto bare = std::make_unique<BarePlayer>();
        if (!bare->waitPlaying()) {
            state.SkipWithError("the clip did not start");
            break;
        }
        record(state, "bare replacing",
               std::chrono::duration<double, std::milli>(bare->playingAt - start).count());
        previous = std::move(bare);
    }
}

// The two starts taken in turn, so that whatever else the machine is doing weighs on both alike;
// the ratio reported at the end comes from these pairs.
void BM_PairedFreshStarts(benchmark::State& state)
{
    SessionRig rig;
    bool sessionFirst = true;
    for (auto _ : state) {
        double sessionMs = -1.0;
        double bareMs = -1.0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == sessionFirst) {
                rig.session.releasePlayer();
                sessionMs = rig.playToPlaying();
                g_samples["paired returned"].push_back(rig.returnedMs);
                // Nothing of either side may outlive its turn: while any libVLC instance
                // lives, the next one finds its plugins loaded and starts far sooner.
                rig.session.releasePlayer();
            } else {
                const auto start = Clock::now();
                BarePlayer bare;
                if (bare.waitPlaying()) {
                    bareMs =
                        std::chrono::duration<double, std::milli>(bare.playingAt - start).count();
                }
            }
        }
        sessionFirst = !sessionFirst;
        if (sessionMs < 0 || bareMs < 0) {
            state.SkipWithError("the clip did not start");
            break;
        }
        g_samples["paired session"].push_back(sessionMs);
        g_samples["paired bare"].push_back(bareMs);
        g_samples["paired ratio"].push_back(sessionMs / bareMs);
        state.SetIterationTime((sessionMs + bareMs) / 1000.0);
    }
}
// A bare start while another, idle instance keeps libVLC's plugins loaded: what a fresh
// instance per item pays for unloading and loading them again.
void BM_BarePlayToPlayingPluginsLoaded(benchmark::State& state)
{
    std::vector<const char*> argv;
    for (const QByteArray& argument : g_bareArguments) {
        argv.push_back(argument.constData());
    }
    libvlc_instance_t* keeper = libvlc_new(static_cast<int>(argv.size()), argv.data());
    {
        BarePlayer warmUp;
        warmUp.waitPlaying();
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        BarePlayer bare;
        if (!bare.waitPlaying()) {
            state.SkipWithError("the clip did not start");
            break;
        }
        record(state, "bare plugins loaded",
               std::chrono::duration<double, std::milli>(bare.playingAt - start).count());
    }
    libvlc_release(keeper);
}
BENCHMARK(BM_BarePlayToPlayingPluginsLoaded)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

BENCHMARK(BM_PairedFreshStarts)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

BENCHMARK(BM_SessionPlayItemToPlaying)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
BENCHMARK(BM_BarePlayToPlaying)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);
BENCHMARK(BM_SessionPlayItemReplacingToPlaying)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);
BENCHMARK(BM_BarePlayReplacingToPlaying)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(20);

struct Summary
{
    double mean = 0.0;
    double median = 0.0;
};

Summary summarize(std::vector<double> samples)
{
    Summary s;
    if (samples.empty()) {
        return s;
    }
    std::sort(samples.begin(), samples.end());
    s.mean =
        std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
    const size_t mid = samples.size() / 2;
    s.median = samples.size() % 2 ? samples[mid] : (samples[mid - 1] + samples[mid]) / 2.0;
    return s;
}

void printRatio(const char* what, const std::string& session, const std::string& bare)
{
    if (!g_samples.count(session) || !g_samples.count(bare)) {
        return;
    }
    const Summary a = summarize(g_samples[session]);
    const Summary b = summarize(g_samples[bare]);
    std::printf("%-28s session mean %6.1f ms median %6.1f ms | bare mean %6.1f ms median %6.1f ms "
                "| ratio mean %.2f median %.2f\n",
                what, a.mean, a.median, b.mean, b.median, a.mean / b.mean, a.median / b.median);
    if (qEnvironmentVariableIsSet("KORVANE_BENCH_SAMPLES")) {
        for (const std::string& key : {session, bare}) {
            std::vector<double> sorted = g_samples[key];
            std::sort(sorted.begin(), sorted.end());
            std::printf("  %s:", key.c_str());
            for (double ms : sorted) {
                std::printf(" %.0f", ms);
            }
            std::printf("\n");
        }
    }
}

// Memory, each side in a process of its own so neither inherits the other's heap: the resident
// size before anything plays, after 2.5 s of the 720p clip, and after ten more starts.
int runMemoryChild(const QString& mode)
{
    if (mode == QLatin1String("session")) {
        SessionRig rig;
        const auto idle = residentKiB();
        rig.playToPlaying();
        QEventLoop wait;
        QTimer::singleShot(2500, &wait, &QEventLoop::quit);
        wait.exec();
        const auto playing = residentKiB();
        for (int i = 0; i < 10; ++i) {
            rig.playToPlaying();
            QTimer::singleShot(200, &wait, &QEventLoop::quit);
            wait.exec();
        }
        const auto later = residentKiB();
        std::printf("%ld %ld %ld %ld\n", idle.first, playing.first, later.first, later.second);
    } else {
        std::unique_ptr<BarePlayer> bare;
        const auto idle = residentKiB();
        bare = std::make_unique<BarePlayer>();
        bare->waitPlaying();
        std::this_thread::sleep_for(std::chrono::milliseconds(2500));
        const auto playing = residentKiB();
        for (int i = 0; i < 10; ++i) {
            bare.reset();
            bare = std::make_unique<BarePlayer>();
            bare->waitPlaying();
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        const auto later = residentKiB();
        std::printf("%ld %ld %ld %ld\n", idle.first, playing.first, later.first, later.second);
    }
    return 0;
}

void printMemory(const char* argv0)
{
    for (const char* mode : {"session", "bare"}) {
        QStringList arguments{QStringLiteral("--memory-child"), QString::fromLatin1(mode), g_clip};
        for (const QByteArray& argument : g_bareArguments) {
            arguments << QString::fromUtf8(argument);
        }
        QProcess child;
        child.start(QString::fromLocal8Bit(argv0), arguments);
        child.waitForFinished(60000);
        const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
        if (figures.size() != 4) {
            std::printf("memory %s: no figures (%s)\n", mode,
                        child.readAllStandardError().constData());
            continue;
        }
        const auto mib = [&](int i) {
            return figures.at(i).toDouble() / 1024.0;
        };
        std::printf("memory %-8s idle %6.1f MiB | playing 720p %6.1f MiB (+%.1f) | after 10 more "
                    "starts %6.1f MiB | peak %6.1f MiB\n",
                    mode, mib(0), mib(1), mib(1) - mib(0), mib(2), mib(3));
    }
}

bool makeClip(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v",        "error",   "-nostdin", "-y",
                            "-f",        "lavfi",   "-i",       "testsrc2=d=3:s=1280x720:r=25",
                            "-f",        "lavfi",   "-i",       "sine=d=3",
                            "-c:v",      "libx264", "-preset",  "veryfast",
                            "-pix_fmt",  "yuv420p", "-c:a",     "aac",
                            "-shortest", path});
    return ffmpeg.waitForFinished(120000) && ffmpeg.exitCode() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir dir;
    g_scratch = dir.path();
    if (argc >= 4 && std::strcmp(argv[1], "--memory-child") == 0) {
        g_clip = QString::fromLocal8Bit(argv[3]);
        for (int i = 4; i < argc; ++i) {
            g_bareArguments.emplace_back(argv[i]);
        }
        const QString mode = QString::fromLatin1(argv[2]);
        if (mode == QLatin1String("session")) {
            QApplication app(argc, argv);
            return runMemoryChild(mode);
        }
        // The bare side is a program without Qt's application object.
        return runMemoryChild(mode);
    }

    QApplication app(argc, argv);
    g_clip = dir.filePath(QStringLiteral("clip720.mp4"));
    if (!makeClip(g_clip)) {
        std::fprintf(stderr, "ffmpeg could not make the clip\n");
        return 1;
    }
    recordArguments();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\n");
    printRatio("fresh start, paired", "paired session", "paired bare");
    if (g_samples.count("paired ratio")) {
        std::printf("%-28s median of the pairs' ratios %.2f; PlayItem returns after %.1f ms "
                    "(median)\n",
                    "", summarize(g_samples["paired ratio"]).median,
                    summarize(g_samples["paired returned"]).median);
    }
    printRatio("fresh start", "session fresh", "bare fresh");
    printRatio("replacing a playing item", "session replacing", "bare replacing");
    printMemory(argv[0]);
    return 0;
}

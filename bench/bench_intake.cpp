// Taking in 200 files through the real decoder probe while the UI thread is watched for stalls.
#include "mediainfo/DecoderProber.h"
#include "playlist/FileChooser.h"
#include "playlist/FileIntake.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "system/UserMessages.h"
#include "ui/playlistview/FancyList.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFileCount = 200;

QStringList g_files;

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The calling thread's time on a CPU and its time waiting on the run queue for one, in ms.
std::pair<double, double> threadScheduling()
{
    QFile stat(QStringLiteral("/proc/thread-self/schedstat"));
    if (!stat.open(QIODevice::ReadOnly)) {
        return {0.0, 0.0};
    }
    const QList<QByteArray> fields = stat.readAll().trimmed().split(' ');
    return {fields.value(0).toDouble() / 1e6, fields.value(1).toDouble() / 1e6};
}

// Times every event the UI thread delivers, so a stall can be pinned on the handler that caused
// it rather than only seen as a gap between timer ticks. The thread's own CPU time tells work
// from waiting for a core.
class TimedApplication : public QApplication
{
public:
    struct Slow
    {
        double wallMs = 0.0;
        double cpuMs = 0.0;
        int type = 0;
        QByteArray receiver;
    };

    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (!m_watching || m_depth > 0) {
            return QApplication::notify(receiver, event);
        }
        Slow slow{0.0, 0.0, event->type(), receiver->metaObject()->className()};
        const auto start = Clock::now();
        const double cpuStart = threadCpuMs();
        ++m_depth;
        const bool result = QApplication::notify(receiver, event);
        --m_depth;
        slow.wallMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        slow.cpuMs = threadCpuMs() - cpuStart;
        if (m_slowest.size() < 5 || slow.wallMs > m_slowest.back().wallMs) {
            m_slowest.push_back(slow);
            std::sort(m_slowest.begin(), m_slowest.end(),
                      [](const Slow& a, const Slow& b) { return a.wallMs > b.wallMs; });
            if (m_slowest.size() > 5) {
                m_slowest.pop_back();
            }
        }
        return result;
    }

    void watch(bool on)
    {
        m_watching = on;
        if (on) {
            m_slowest.clear();
        }
    }
    const std::vector<Slow>& slowest() const { return m_slowest; }

private:
    bool m_watching = false;
    int m_depth = 0;
    std::vector<Slow> m_slowest;
};

class CountingMessages : public UserMessages
{
public:
    void show(Icon, const QString& title, const QString& text) override
    {
        ++shown;
        last = title + QStringLiteral(": ") + text;
    }
    int shown = 0;
    QString last;
};

class NoChooser : public FileChooser
{
public:
    QStringList chooseExistingFiles(const QString&, const QStringList&, const QString&) override
    {
        return {};
    }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
};

void BM_Intake200Files(benchmark::State& state)
{
    auto* app = static_cast<TimedApplication*>(QCoreApplication::instance());
    DecoderProber prober;
    CountingMessages messages;
    NoChooser chooser;
    OpenDialog dialog(chooser);

    double longestGapMs = 0.0;
    double longestEventMs = 0.0;
    double longestEventCpuMs = 0.0;
    double totalSeconds = 0.0;
    double uiCpuMs = 0.0;
    double uiWaitMs = 0.0;
    int accepted = 0;
    std::vector<double> gaps;

    for (auto _ : state) {
        PlaylistModel model;
        FancyList list;
        list.setModel(&model);
        list.resize(300, 600);
        list.show();
        Playlist playlist(model, prober, messages, dialog);

        gaps.clear();
        gaps.reserve(200000);
        Clock::time_point lastTick;
        bool ticking = false;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            if (ticking) {
                gaps.push_back(std::chrono::duration<double, std::milli>(now - lastTick).count());
            }
            lastTick = now;
            ticking = true;
        });

        QEventLoop loop;
        QObject::connect(&playlist.intake(), &FileIntake::progressChanged, &loop,
                         [&](int done, int total) {
                             if (total == kFileCount && done == total) {
                                 loop.quit();
                             }
                         });
        QTimer::singleShot(120000, &loop, &QEventLoop::quit);
        Clock::time_point start;
        // The whole batch arrives in one handler, as a drop of 200 files does.
        QTimer::singleShot(0, &playlist, [&] {
            start = Clock::now();
            for (const QString& path : std::as_const(g_files)) {
                playlist.addEntry(QFileInfo(path).fileName(), path, false, false);
            }
        });
        ticker.start();
        app->watch(true);
        const auto scheduledBefore = threadScheduling();
        loop.exec();
        const auto end = Clock::now();
        const auto scheduledAfter = threadScheduling();
        uiCpuMs += scheduledAfter.first - scheduledBefore.first;
        uiWaitMs += scheduledAfter.second - scheduledBefore.second;
        app->watch(false);
        ticker.stop();

        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        totalSeconds += seconds;
        accepted = playlist.count();
        longestGapMs = std::max(longestGapMs,
                                gaps.empty() ? 0.0 : *std::max_element(gaps.begin(), gaps.end()));
        for (const TimedApplication::Slow& slow : app->slowest()) {
            std::printf("slow event: %6.1f ms wall, %6.1f ms on the UI thread's CPU, type %d, %s\n",
                        slow.wallMs, slow.cpuMs, slow.type, slow.receiver.constData());
        }
        if (!app->slowest().empty() && app->slowest().front().wallMs > longestEventMs) {
            longestEventMs = app->slowest().front().wallMs;
            longestEventCpuMs = app->slowest().front().cpuMs;
        }
        if (accepted != kFileCount) {
            state.SkipWithError(QStringLiteral("only %1 of %2 files accepted; last message: %3")
                                    .arg(accepted)
                                    .arg(kFileCount)
                                    .arg(messages.last)
                                    .toStdString()
                                    .c_str());
            break;
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    std::vector<double> sorted = gaps;
    std::sort(sorted.begin(), sorted.end());
    const auto percentile = [&](double p) {
        return sorted.empty()
                   ? 0.0
                   : sorted[static_cast<size_t>(p * static_cast<double>(sorted.size() - 1))];
    };
    state.counters["longest_gap_ms"] = longestGapMs;
    state.counters["p99_gap_ms"] = percentile(0.99);
    state.counters["longest_event_ms"] = longestEventMs;
    state.counters["its_cpu_ms"] = longestEventCpuMs;
    state.counters["intake_s"] = iterations > 0 ? totalSeconds / iterations : 0.0;
    state.counters["files_per_s"] = totalSeconds > 0 ? kFileCount * iterations / totalSeconds : 0.0;
    state.counters["accepted"] = accepted;
    // Over the whole intake: how much the UI thread worked, and how long it sat ready to run
    // while other processes had the cores.
    state.counters["ui_cpu_ms"] = iterations > 0 ? uiCpuMs / iterations : 0.0;
    state.counters["ui_runqueue_ms"] = iterations > 0 ? uiWaitMs / iterations : 0.0;
    state.SetLabel(
        QStringLiteral("%1 probe threads").arg(QThread::idealThreadCount()).toStdString());
}
BENCHMARK(BM_Intake200Files)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);

// Ten distinct one-second clips (different sources, sizes, containers, with and without sound),
// each linked under twenty names: 200 distinct paths for the price of ten encodes.
bool makeFiles(const QString& folder)
{
    struct Clip
    {
        const char* name;
        QStringList arguments;
    };
    const QStringList sound{"-f", "lavfi", "-i", "sine=d=1"};
    const QList<Clip> clips{
        {"a.mp4", QStringList{"-f", "lavfi", "-i", "testsrc=d=1:s=320x240:r=25"} + sound},
        {"b.mkv", QStringList{"-f", "lavfi", "-i", "testsrc2=d=1:s=640x360:r=25"} + sound},
        {"c.avi", QStringList{"-f", "lavfi", "-i", "smptebars=d=1:s=320x240:r=25"} + sound},
        {"d.mp4", {"-f", "lavfi", "-i", "rgbtestsrc=d=1:s=160x120:r=25"}},
        {"e.mkv", {"-f", "lavfi", "-i", "mandelbrot=s=320x180:r=10", "-t", "1"}},
        {"f.mov", QStringList{"-f", "lavfi", "-i", "color=c=red:d=1:s=352x288:r=25"} + sound},
        {"g.mpg", QStringList{"-f", "lavfi", "-i", "testsrc=d=1:s=352x288:r=25"} + sound},
        {"h.flv", QStringList{"-f", "lavfi", "-i", "smptehdbars=d=1:s=480x270:r=25"} + sound},
        {"i.mp3", sound},
        {"j.ogg", QStringList{"-f", "lavfi", "-i", "testsrc2=d=1:s=320x240:r=25"} + sound},
    };
    QStringList made;
    for (const Clip& clip : clips) {
        const QString path = folder + u'/' + QString::fromLatin1(clip.name);
        QProcess ffmpeg;
        ffmpeg.start("ffmpeg", QStringList{"-v", "error", "-nostdin", "-y"} + clip.arguments +
                                   QStringList{"-shortest", path});
        if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
            std::fprintf(stderr, "ffmpeg could not make %s: %s\n", clip.name,
                         ffmpeg.readAllStandardError().constData());
            return false;
        }
        made << path;
    }
    for (int i = 0; i < kFileCount; ++i) {
        const QString source = made.at(i % made.size());
        const QString target = folder +
                               QStringLiteral("/file %1.").arg(i, 3, 10, QLatin1Char('0')) +
                               QFileInfo(source).suffix();
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) !=
                0 &&
            !QFile::copy(source, target)) {
            return false;
        }
        g_files << target;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    TimedApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !makeFiles(dir.path())) {
        std::fprintf(stderr, "could not make the media files\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

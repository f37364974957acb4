#include "util/PosixProcessRunner.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

// The runner's own cost: starting, collecting and capturing a program that does nothing.
static void BM_RunPipedCommandTrue(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString capture = dir.path() + QStringLiteral("/capture.txt");
    korvane::PosixProcessRunner runner;
    const QStringList command{QStringLiteral("/bin/true")};
    for (auto _ : state) {
        benchmark::DoNotOptimize(runner.runPipedCommand(command, capture));
    }
}
BENCHMARK(BM_RunPipedCommandTrue)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// For comparison: the bare cost of starting /bin/true and waiting for it, with nothing captured.
static void BM_BareSpawnTrue(benchmark::State& state)
{
    char program[] = "/bin/true";
    char* argv[] = {program, nullptr};
    for (auto _ : state) {
        pid_t pid = -1;
        if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
        }
    }
}
BENCHMARK(BM_BareSpawnTrue)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

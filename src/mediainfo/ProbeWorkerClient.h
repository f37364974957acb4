#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <sys/types.h>
#include <thread>
#include <vector>

struct ProbeWorkerRequest;

// The player's side of the probe worker: starts it on the first request and keeps it for the run,
// sends requests from any number of threads, and hands each thread its own answer. A worker that
// ends or hangs is replaced; the requests it held are asked again one at a time, so the one file
// that brought it down is the only one refused. Calls block their thread: never the UI thread.
class ProbeWorkerClient
{
public:
    struct Reply
    {
        bool ok = false;
        QByteArray text;
    };

    // The priority of a worker started early, once it has described the first file.
    static constexpr int EarlyWorkerNiceness = 10;

    explicit ProbeWorkerClient(QString program);
    ~ProbeWorkerClient();
    ProbeWorkerClient(const ProbeWorkerClient&) = delete;
    ProbeWorkerClient& operator=(const ProbeWorkerClient&) = delete;

    // The worker's answer. Throws RunnerError: SpawnFailed when the worker cannot start,
    // TimeLimitExceeded when the request outlives timeLimit, WaitFailed when the worker ends
    // on this request.
    Reply request(const ProbeWorkerRequest& request, std::chrono::milliseconds timeLimit);

    // Starts the worker ahead of the first request, while the rest of the process is still being
    // built; the first client of the same program takes it over instead of starting its own.
    // A worker nobody takes ends with the process, when its socket closes.
    static void startEarly(const QString& program);

    // Whether the worker has started once or can be started now.
    bool available();
    // How many workers have been started; a player that never probes starts none.
    int starts() const;
    // The worker's process id, or -1 when none runs.
    pid_t workerPid() const;

private:
    struct Pending
    {
        bool done = false;
        bool lost = false;
        bool sole = false; // the only request the lost worker held
        int generation = 0;
        Reply reply;
    };

    bool ensureRunning(std::unique_lock<std::mutex>& lock);
    void keepPriorityFor(const ProbeWorkerRequest& request);
    void readAnswers(int fd, pid_t pid, int generation);
    void stopWorker(std::unique_lock<std::mutex>& lock);
    void enter(std::unique_lock<std::mutex>& lock, bool alone);
    void leave(bool alone);

    const QString m_program;
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::map<quint64, Pending*> m_pending;
    quint64 m_nextId = 0;
    int m_fd = -1;
    pid_t m_pid = -1;
    int m_generation = 0;
    bool m_running = false;
    bool m_cannotStart = false;
    int m_starts = 0;
    // Set while a worker started early still runs at full priority: the folder of the first
    // file it describes, empty until that file's first request.
    std::optional<QByteArray> m_firstProbeFolder;
    std::thread m_reader;
    std::vector<std::thread> m_retired;
    // A request that ran alongside a fault runs again alone.
    int m_active = 0;
    bool m_alone = false;
    int m_waitingAlone = 0;
};

#include "mediainfo/ProbeWorkerClient.h"

#include "mediainfo/ProbeAnswerReader.h"
#include "mediainfo/ProbeWorkerProcess.h"
#include "mediainfo/ProbeWorkerRequest.h"
#include "util/Logging.h"
#include "util/RunnerError.h"

#include <cerrno>
#include <csignal>
#include <utility>

namespace {

// The folder of a request's input: a probe's requests share their scratch folder.
QByteArray inputFolder(const ProbeWorkerRequest& request)
{
    const QByteArray input = request.value("input");
    return input.left(qMax<qsizetype>(0, input.lastIndexOf('/')));
}

} // namespace

void ProbeWorkerClient::startEarly(const QString& program)
{
    probeworker::startEarly(program);
}

ProbeWorkerClient::ProbeWorkerClient(QString program) : m_program(std::move(program)) {}

ProbeWorkerClient::~ProbeWorkerClient()
{
    {
        const std::lock_guard lock(m_lock);
        if (m_running && m_pid > 0) {
            ::kill(m_pid, SIGKILL);
        }
    }
    if (m_reader.joinable()) {
        m_reader.join();
    }
    for (std::thread& reader : m_retired) {
        reader.join();
    }
}

bool ProbeWorkerClient::available()
{
    std::unique_lock lock(m_lock);
    return ensureRunning(lock);
}

int ProbeWorkerClient::starts() const
{
    const std::lock_guard lock(m_lock);
    return m_starts;
}

pid_t ProbeWorkerClient::workerPid() const
{
    const std::lock_guard lock(m_lock);
    return m_running ? m_pid : -1;
}

bool ProbeWorkerClient::ensureRunning(std::unique_lock<std::mutex>&)
{
    if (m_running) {
        return true;
    }
    if (m_cannotStart) {
        return false;
    }
    // The last worker's reader closes its own socket once that worker is gone.
    if (m_reader.joinable()) {
        m_retired.push_back(std::move(m_reader));
    }
    pid_t pid = -1;
    int fd = -1;
    m_firstProbeFolder.reset();
    if (probeworker::takeEarly(m_program, &fd, &pid)) {
        m_firstProbeFolder = QByteArray();
    } else {
        fd = probeworker::start(m_program, &pid);
    }
    if (fd < 0 || !probeworker::readGreeting(fd)) {
        if (fd >= 0) {
            ::kill(pid, SIGKILL);
            probeworker::reap(pid);
            ::close(fd);
            qCDebug(lcMediaInfo) << "probe worker" << m_program << "did not greet";
        }
        m_cannotStart = true;
        return false;
    }
    m_fd = fd;
    m_pid = pid;
    m_running = true;
    ++m_generation;
    ++m_starts;
    qCDebug(lcMediaInfo) << "probe worker started, process" << pid;
    m_reader = std::thread(&ProbeWorkerClient::readAnswers, this, m_fd, pid, m_generation);
    return true;
}

// Runs on the reader thread of one worker, until that worker's output ends.
void ProbeWorkerClient::readAnswers(int fd, pid_t pid, int generation)
{
    ProbeAnswerReader reader(fd);
    QByteArray header;
    while (reader.line(header)) {
        const std::optional<ProbeWorkerRequest::AnswerHeader> answer =
            ProbeWorkerRequest::readAnswerHeader(header);
        QByteArray body;
        if (!answer || !reader.bytes(answer->length, body)) {
            break;
        }
        const std::lock_guard lock(m_lock);
        const auto it = m_pending.find(answer->id);
        if (it != m_pending.end() && it->second->generation == generation) {
            it->second->reply = Reply{answer->ok, std::move(body)};
            it->second->done = true;
            m_changed.notify_all();
        }
    }
    ::kill(pid, SIGKILL);
    probeworker::reap(pid);
    const std::lock_guard lock(m_lock);
    qCDebug(lcMediaInfo) << "probe worker" << pid << "ended";
    if (m_generation == generation) {
        m_running = false;
        m_pid = -1;
        m_fd = -1;
    }
    ::close(fd);
    int held = 0;
    for (const auto& [id, pending] : m_pending) {
        held += pending->generation == generation && !pending->done;
    }
    for (const auto& [id, pending] : m_pending) {
        if (pending->generation == generation && !pending->done) {
            pending->lost = true;
            pending->sole = held == 1;
        }
    }
    m_changed.notify_all();
}

void ProbeWorkerClient::keepPriorityFor(const ProbeWorkerRequest& request)
{
    // A worker started early describes the file the player was started with at full speed, since
    // that file is to play at once; the first request about any other file puts it back among
    // the background work.
    if (!m_firstProbeFolder) {
        return;
    }
    const QByteArray folder = inputFolder(request);
    if (m_firstProbeFolder->isEmpty()) {
        m_firstProbeFolder = folder.isEmpty() ? QByteArray("/") : folder;
        return;
    }
    if (folder != *m_firstProbeFolder) {
        probeworker::lowerPriority(m_pid, EarlyWorkerNiceness);
        m_firstProbeFolder.reset();
    }
}

void ProbeWorkerClient::enter(std::unique_lock<std::mutex>& lock, bool alone)
{
    if (alone) {
        ++m_waitingAlone;
        m_changed.wait(lock, [&] { return !m_alone && m_active == 0; });
        --m_waitingAlone;
        m_alone = true;
    } else {
        m_changed.wait(lock, [&] { return !m_alone && m_waitingAlone == 0; });
        ++m_active;
    }
}

void ProbeWorkerClient::leave(bool alone)
{
    if (alone) {
        m_alone = false;
    } else {
        --m_active;
    }
    m_changed.notify_all();
}

ProbeWorkerClient::Reply ProbeWorkerClient::request(const ProbeWorkerRequest& request,
                                                    std::chrono::milliseconds timeLimit)
{
    const auto deadline = std::chrono::steady_clock::now() + timeLimit;
    bool alone = false;
    for (;;) {
        std::unique_lock lock(m_lock);
        enter(lock, alone);
        if (!ensureRunning(lock)) {
            leave(alone);
            throw korvane::RunnerError(
                korvane::RunnerError::SpawnFailed,
                QStringLiteral("Could not create piped process. LastError ") +
                    QString::number(ENOENT));
        }
        keepPriorityFor(request);
        Pending pending;
        pending.generation = m_generation;
        const quint64 id = ++m_nextId;
        m_pending[id] = &pending;
        // Small, and the worker reads all the time: a write never waits long.
        if (!probeworker::sendAll(m_fd, request.frame(id))) {
            ::kill(m_pid, SIGKILL);
        }
        m_changed.wait_until(lock, deadline, [&] { return pending.done || pending.lost; });
        m_pending.erase(id);
        if (pending.done) {
            leave(alone);
            return std::move(pending.reply);
        }
        if (!pending.lost) {
            // A hung decoder cannot be stopped inside the worker; the worker goes, and the
            // requests it held are asked again.
            if (m_running && m_generation == pending.generation) {
                qCDebug(lcMediaInfo) << "probe worker: time limit reached, ending" << m_pid;
                ::kill(m_pid, SIGKILL);
                // The next request starts a new worker at once.
                m_running = false;
                m_pid = -1;
            }
            leave(alone);
            throw korvane::RunnerError(
                korvane::RunnerError::TimeLimitExceeded,
                QStringLiteral("The program did not finish within %1 seconds")
                    .arg(QString::number(static_cast<double>(timeLimit.count()) / 1000.0)));
        }
        leave(alone);
        if (alone || pending.sole) {
            throw korvane::RunnerError(korvane::RunnerError::WaitFailed,
                                       QStringLiteral("The decoder ended while reading the file"));
        }
        alone = true;
    }
}

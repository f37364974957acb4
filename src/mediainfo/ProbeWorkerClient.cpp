#include "mediainfo/ProbeWorkerClient.h"

#include "mediainfo/ProbeWorkerRequest.h"
#include "util/Logging.h"
#include "util/RunnerError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace {

constexpr char Greeting[] = "korvane-probe-worker 1\n";
constexpr std::chrono::seconds GreetingLimit{10};

bool sendAll(int fd, const QByteArray& data)
{
    const char* at = data.constData();
    std::size_t left = static_cast<std::size_t>(data.size());
    while (left > 0) {
        const ssize_t sent = ::send(fd, at, left, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        at += sent;
        left -= static_cast<std::size_t>(sent);
    }
    return true;
}

// Reads the worker's answers from its socket with a buffer of its own.
class AnswerReader
{
public:
    explicit AnswerReader(int fd) : m_fd(fd) {}

    bool line(QByteArray& out)
    {
        for (;;) {
            const qsizetype end = m_buffer.indexOf('\n');
            if (end >= 0) {
                out = m_buffer.left(end);
                m_buffer.remove(0, end + 1);
                return true;
            }
            if (m_buffer.size() > 256 || !fill()) {
                return false;
            }
        }
    }
    bool bytes(qsizetype count, QByteArray& out)
    {
        while (m_buffer.size() < count) {
            if (!fill()) {
                return false;
            }
        }
        out = m_buffer.left(count);
        m_buffer.remove(0, count);
        return true;
    }

private:
    bool fill()
    {
        char chunk[65536];
        for (;;) {
            const ssize_t got = ::read(m_fd, chunk, sizeof(chunk));
            if (got > 0) {
                m_buffer.append(chunk, got);
                return true;
            }
            if (got < 0 && errno == EINTR) {
                continue;
            }
            return false;
        }
    }

    int m_fd;
    QByteArray m_buffer;
};

// Reads the greeting byte by byte, so nothing after it is taken from the reader thread.
bool readGreeting(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + GreetingLimit;
    QByteArray got;
    while (got.size() < qsizetype(sizeof(Greeting) - 1)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return false;
        }
        char c = 0;
        if (::read(fd, &c, 1) != 1) {
            return false;
        }
        got.append(c);
    }
    return got == Greeting;
}

int spawnWorker(const QString& program, int childEnd, pid_t* pid)
{
    const QByteArray path = QFile::encodeName(program);
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_adddup2(&actions, childEnd, 0);
    posix_spawn_file_actions_adddup2(&actions, childEnd, 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(&attributes, &mask);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGALRM}) {
        sigaddset(&defaults, sig);
    }
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    // Its own group: a terminal's Ctrl-C is for the player, which ends the worker itself.
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(
        &attributes,
        static_cast<short>(POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
    const int rc = posix_spawn(pid, argv[0], &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return rc;
}

void reap(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// A worker started before the rest of the process, waiting for the first client of its program.
struct EarlyWorker
{
    std::mutex lock;
    QString program;
    int fd = -1;
    pid_t pid = -1;
};

EarlyWorker& earlyWorker()
{
    static EarlyWorker early;
    return early;
}

QString canonicalProgram(const QString& program)
{
    const QString canonical = QFileInfo(program).canonicalFilePath();
    return canonical.isEmpty() ? program : canonical;
}

// Starts the worker on a fresh socket pair; the player's end, or -1.
int startWorker(const QString& program, pid_t* pid)
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        qCDebug(lcMediaInfo) << "probe worker: no socket pair, error" << errno;
        return -1;
    }
    const int error = program.isEmpty() ? ENOENT : spawnWorker(program, ends[1], pid);
    ::close(ends[1]);
    if (error != 0) {
        ::close(ends[0]);
        qCDebug(lcMediaInfo) << "probe worker" << program << "cannot start, error" << error;
        return -1;
    }
    return ends[0];
}

// The folder of a request's input: a probe's requests share their scratch folder.
QByteArray inputFolder(const ProbeWorkerRequest& request)
{
    const QByteArray input = request.value("input");
    return input.left(qMax<qsizetype>(0, input.lastIndexOf('/')));
}

// Lowers every thread of a process; the threads it makes later inherit the priority.
void lowerPriority(pid_t pid, int niceness)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        setpriority(PRIO_PROCESS, task.toUInt(), niceness);
    }
}

} // namespace

void ProbeWorkerClient::startEarly(const QString& program)
{
    EarlyWorker& early = earlyWorker();
    const std::lock_guard lock(early.lock);
    if (early.fd >= 0) {
        return;
    }
    pid_t pid = -1;
    const int fd = startWorker(program, &pid);
    if (fd < 0) {
        return;
    }
    early.program = canonicalProgram(program);
    early.fd = fd;
    early.pid = pid;
}

bool ProbeWorkerClient::takeEarlyWorker(int* fd, pid_t* pid) const
{
    EarlyWorker& early = earlyWorker();
    const std::lock_guard lock(early.lock);
    if (early.fd < 0 || early.program != canonicalProgram(m_program)) {
        return false;
    }
    *fd = std::exchange(early.fd, -1);
    *pid = std::exchange(early.pid, -1);
    return true;
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
    if (takeEarlyWorker(&fd, &pid)) {
        m_firstProbeFolder = QByteArray();
    } else {
        fd = startWorker(m_program, &pid);
    }
    if (fd < 0 || !readGreeting(fd)) {
        if (fd >= 0) {
            ::kill(pid, SIGKILL);
            reap(pid);
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
    AnswerReader reader(fd);
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
    reap(pid);
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
        lowerPriority(m_pid, EarlyWorkerNiceness);
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
        if (!sendAll(m_fd, request.frame(id))) {
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

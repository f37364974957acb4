#include "mediainfo/ProbeWorkerProcess.h"

#include "util/ChildSpawn.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace probeworker {

namespace {

constexpr char Greeting[] = "korvane-probe-worker 1\n";
constexpr std::chrono::seconds GreetingLimit{10};

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
    korvane::setChildAttributes(&attributes);
    const int rc = posix_spawn(pid, argv[0], &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return rc;
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

} // namespace

int start(const QString& program, pid_t* pid)
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

void reap(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

void lowerPriority(pid_t pid, int niceness)
{
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        setpriority(PRIO_PROCESS, task.toUInt(), niceness);
    }
}

void startEarly(const QString& program)
{
    EarlyWorker& early = earlyWorker();
    const std::lock_guard lock(early.lock);
    if (early.fd >= 0) {
        return;
    }
    pid_t pid = -1;
    const int fd = start(program, &pid);
    if (fd < 0) {
        return;
    }
    early.program = canonicalProgram(program);
    early.fd = fd;
    early.pid = pid;
}

bool takeEarly(const QString& program, int* fd, pid_t* pid)
{
    EarlyWorker& early = earlyWorker();
    const std::lock_guard lock(early.lock);
    if (early.fd < 0 || early.program != canonicalProgram(program)) {
        return false;
    }
    *fd = std::exchange(early.fd, -1);
    *pid = std::exchange(early.pid, -1);
    return true;
}

} // namespace probeworker

#include "util/PosixProcessRunner.h"

#include "util/Logging.h"
#include "util/RunnerError.h"
#include "util/ToolPaths.h"
#include "util/UniqueFd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <set>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

namespace korvane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t ReadChunk = 65536;

[[noreturn]] void raise(int number, const char* text, int error)
{
    throw RunnerError(number, QLatin1String(text) + QString::number(error));
}

// The process groups of the children being waited for, so that shutdown can end them all. A
// child leaves the set before it is reaped: until then its pid cannot be reused.
std::mutex g_runningMutex;
std::set<pid_t> g_running;

// Kills the child's whole process group and reaps the child unless the run finished normally.
class ChildGuard
{
public:
    explicit ChildGuard(pid_t pid) : m_pid(pid)
    {
        const std::lock_guard<std::mutex> lock(g_runningMutex);
        g_running.insert(pid);
    }
    ~ChildGuard()
    {
        if (m_pid > 0) {
            killAndReap();
        }
    }
    ChildGuard(const ChildGuard&) = delete;
    ChildGuard& operator=(const ChildGuard&) = delete;

    void killAndReap()
    {
        ::kill(-m_pid, SIGKILL);
        ::kill(m_pid, SIGKILL);
        reap();
    }
    int reap()
    {
        {
            const std::lock_guard<std::mutex> lock(g_runningMutex);
            g_running.erase(m_pid);
        }
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = -1;
        return status;
    }

private:
    pid_t m_pid;
};

class TempFileGuard
{
public:
    ~TempFileGuard()
    {
        if (!m_path.isEmpty()) {
            ::unlink(m_path.constData());
        }
    }
    void set(QByteArray path) { m_path = std::move(path); }
    void release() { m_path.clear(); }

private:
    QByteArray m_path;
};

// A program path with a folder part is made absolute before the child changes folder, so that
// it means what it meant in the caller's folder.
QByteArray programBytes(const QString& program)
{
    if (program.contains(QLatin1Char('/')) && QDir::isRelativePath(program)) {
        return QFile::encodeName(QFileInfo(program).absoluteFilePath());
    }
    return QFile::encodeName(program);
}

// Starts the child. stdoutFd < 0 sends its output to /dev/null. Returns 0 or the error number.
int spawnChild(const QStringList& command, const QString& workingFolder, int stdoutFd, pid_t* pid)
{
    if (command.isEmpty()) {
        return ENOENT;
    }
    std::vector<QByteArray> storage;
    storage.reserve(static_cast<std::size_t>(command.size()));
    storage.push_back(programBytes(command.front()));
    for (qsizetype i = 1; i < command.size(); ++i) {
        storage.push_back(QFile::encodeName(command.at(i)));
    }
    std::vector<char*> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray& item : storage) {
        argv.push_back(item.data());
    }
    argv.push_back(nullptr);
    const QByteArray folder = QFile::encodeName(workingFolder);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);

    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (stdoutFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    // Other threads may open descriptors without close-on-exec; none of them reaches the child.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (!folder.isEmpty()) {
        posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    }

    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(&attributes, &mask);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD}) {
        sigaddset(&defaults, sig);
    }
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(
        &attributes,
        static_cast<short>(POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));

    const int rc = posix_spawnp(pid, argv.front(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return rc;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Called directly: the C library's header for it lacks C linkage in C++. The descriptor is always
// close-on-exec. Returns -1 on kernels without it, and the callers fall back to waitpid().
int openPidfd(pid_t pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
        return 0;
    }
    return left > 1000000 ? 1000000 : static_cast<int>(left);
}

QByteArray uniqueTempName(const QByteArray& target)
{
    static std::atomic<unsigned> counter{0};
    return target + ".part-" + QByteArray::number(::getpid()) + '-' +
           QByteArray::number(counter.fetch_add(1));
}

[[noreturn]] void raiseTimeLimit(std::chrono::milliseconds timeLimit)
{
    throw RunnerError(RunnerError::TimeLimitExceeded,
                      QStringLiteral("The program did not finish within %1 seconds")
                          .arg(QString::number(static_cast<double>(timeLimit.count()) / 1000.0)));
}

// Waits for the child's end or the deadline. Returns false at the deadline.
bool waitForExit(int pidfd, Clock::time_point deadline)
{
    for (;;) {
        pollfd entry{pidfd, POLLIN, 0};
        const int rc = ::poll(&entry, 1, remainingMs(deadline));
        if (rc > 0) {
            return true;
        }
        if (rc == 0) {
            return false;
        }
        if (errno != EINTR) {
            raise(RunnerError::WaitFailed, "Could not wait for the program LastError ", errno);
        }
    }
}

} // namespace

bool PosixProcessRunner::runPipedCommand(const QStringList& command, const QString& outputFile,
                                         const QString& workingFolder,
                                         std::chrono::milliseconds timeLimit)
{
    const Clock::time_point deadline = Clock::now() + timeLimit;

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        raise(RunnerError::PipeFailed, "Could not create pipe LastError ", errno);
    }
    UniqueFd readEnd(ends[0]);
    UniqueFd writeEnd(ends[1]);
    if (::fcntl(readEnd.get(), F_SETFL, O_NONBLOCK) != 0) {
        raise(RunnerError::PipeStateFailed, "Could not set pipe state LastError ", errno);
    }

    pid_t pid = -1;
    const int spawnError = spawnChild(command, workingFolder, writeEnd.get(), &pid);
    if (spawnError != 0) {
        qCDebug(lcSystem) << "cannot start" << command.value(0) << "error" << spawnError;
        raise(RunnerError::SpawnFailed, "Could not create piped process. LastError ", spawnError);
    }
    ChildGuard child(pid);
    // The child is now the only writer, so the pipe breaks when it and its children are gone.
    writeEnd.reset();
    UniqueFd pidfd(openPidfd(pid));

    // The capture goes to a sibling file that replaces outputFile only when complete, so a failed
    // run never leaves a partial capture behind.
    const QByteArray target = QFile::encodeName(outputFile);
    const QByteArray partName = uniqueTempName(target);
    TempFileGuard part;
    UniqueFd out(::open(partName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (out.get() < 0) {
        raise(RunnerError::OutputFileFailed, "Could not write output file LastError ", errno);
    }
    part.set(partName);
    const QByteArray header = QFile::encodeName(commandLineText(command)) + "\r\n";
    if (!writeAll(out.get(), header.constData(), static_cast<std::size_t>(header.size()))) {
        raise(RunnerError::OutputFileFailed, "Could not write output file LastError ", errno);
    }

    std::vector<char> buffer(ReadChunk);
    bool pipeOpen = true;
    // Reads one chunk; returns false when nothing more is waiting.
    auto readOnce = [&]() -> bool {
        const ssize_t got = ::read(readEnd.get(), buffer.data(), buffer.size());
        if (got > 0) {
            if (!writeAll(out.get(), buffer.data(), static_cast<std::size_t>(got))) {
                raise(RunnerError::OutputFileFailed, "Could not write output file LastError ",
                      errno);
            }
            return true;
        }
        if (got == 0) {
            pipeOpen = false;
            return false;
        }
        if (errno == EINTR) {
            return true;
        }
        if (errno != EAGAIN) {
            pipeOpen = false;
        }
        return false;
    };

    bool exited = false;
    while (!exited) {
        pollfd entries[2];
        nfds_t count = 0;
        if (pipeOpen) {
            entries[count++] = {readEnd.get(), POLLIN, 0};
        }
        if (pidfd.get() >= 0) {
            entries[count++] = {pidfd.get(), POLLIN, 0};
        }
        if (count == 0) {
            break; // no pidfd and the pipe is closed: the blocking reap below ends the wait
        }
        const int ready = ::poll(entries, count, remainingMs(deadline));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            raise(RunnerError::WaitFailed, "Could not wait for the program LastError ", errno);
        }
        if (ready == 0) {
            qCDebug(lcSystem) << "time limit reached, killing" << command.value(0);
            child.killAndReap();
            raiseTimeLimit(timeLimit);
        }
        for (nfds_t i = 0; i < count; ++i) {
            if (entries[i].revents == 0) {
                continue;
            }
            if (entries[i].fd == readEnd.get()) {
                readOnce();
            } else {
                exited = true;
            }
        }
    }
    // What the child wrote before it ended is still in the pipe. Output of its own children that
    // outlive it is not waited for, but is bounded by the time limit.
    while (pipeOpen && readOnce()) {
        if (Clock::now() >= deadline) {
            child.killAndReap();
            raiseTimeLimit(timeLimit);
        }
    }
    child.reap();

    if (out.closeChecked() != 0) {
        raise(RunnerError::OutputFileFailed, "Could not write output file LastError ", errno);
    }
    if (::rename(partName.constData(), target.constData()) != 0) {
        raise(RunnerError::OutputFileFailed, "Could not write output file LastError ", errno);
    }
    part.release();
    return true;
}

void PosixProcessRunner::killRunningChildren()
{
    const std::lock_guard<std::mutex> lock(g_runningMutex);
    for (const pid_t pid : g_running) {
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
    }
}

bool PosixProcessRunner::shellAndWait(QString& program, const QStringList& parameters, bool wait,
                                      std::chrono::milliseconds timeLimit)
{
    program = completeProgramPath(program);
    const qsizetype slash = program.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash >= 0 ? program.left(slash) : QString();
    const Clock::time_point deadline = Clock::now() + timeLimit;

    pid_t pid = -1;
    const int spawnError = spawnChild(QStringList(program) + parameters, folder, -1, &pid);
    if (spawnError != 0) {
        qCDebug(lcSystem) << "cannot start" << program << "error" << spawnError;
        return false;
    }
    if (!wait) {
        // Someone must reap it, or it stays a zombie for the rest of our life.
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return true;
    }
    ChildGuard child(pid);
    UniqueFd pidfd(openPidfd(pid));
    if (pidfd.get() < 0) {
        child.reap();
        return true;
    }
    try {
        if (!waitForExit(pidfd.get(), deadline)) {
            qCDebug(lcSystem) << "time limit reached, killing" << program;
            child.killAndReap();
            return true;
        }
    } catch (const RunnerError& error) {
        qCDebug(lcSystem) << error.description();
        child.killAndReap();
        return true;
    }
    child.reap();
    return true;
}

} // namespace korvane

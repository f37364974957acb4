#include "util/PosixProcessRunner.h"

#include "util/ChildGuard.h"
#include "util/ChildSpawn.h"
#include "util/Logging.h"
#include "util/RunnerError.h"
#include "util/ToolPaths.h"
#include "util/UniqueFd.h"

#include <QFile>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace korvane {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t ReadChunk = 65536;

[[noreturn]] void raise(int number, const char* text, int error)
{
    throw RunnerError(number, QLatin1String(text) + QString::number(error));
}

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
    ChildGuard::killAll();
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
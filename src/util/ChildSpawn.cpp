#include "util/ChildSpawn.h"

#include "util/RunnerError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace korvane {

namespace {

// A program path with a folder part is made absolute before the child changes folder, so that
// it means what it meant in the caller's folder.
QByteArray programBytes(const QString& program)
{
    if (program.contains(QLatin1Char('/')) && QDir::isRelativePath(program)) {
        return QFile::encodeName(QFileInfo(program).absoluteFilePath());
    }
    return QFile::encodeName(program);
}

} // namespace

void setChildAttributes(posix_spawnattr_t* attributes)
{
    sigset_t mask;
    sigemptyset(&mask);
    posix_spawnattr_setsigmask(attributes, &mask);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGCHLD, SIGALRM}) {
        sigaddset(&defaults, sig);
    }
    posix_spawnattr_setsigdefault(attributes, &defaults);
    posix_spawnattr_setpgroup(attributes, 0);
    posix_spawnattr_setflags(
        attributes,
        static_cast<short>(POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
}

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

    setChildAttributes(&attributes);

    const int rc = posix_spawnp(pid, argv.front(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return rc;
}

// Called directly: the C library's header for it lacks C linkage in C++.
int openPidfd(pid_t pid)
{
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
}

int remainingMs(std::chrono::steady_clock::time_point deadline)
{
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    if (left <= 0) {
        return 0;
    }
    return left > 1000000 ? 1000000 : static_cast<int>(left);
}

bool waitForExit(int pidfd, std::chrono::steady_clock::time_point deadline)
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
            throw RunnerError(RunnerError::WaitFailed,
                              QLatin1String("Could not wait for the program LastError ") +
                                  QString::number(errno));
        }
    }
}

} // namespace korvane

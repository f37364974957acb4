#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <spawn.h>
#include <sys/types.h>

namespace korvane {

// Starting a child and waiting for its end, for the process runner.

// A child's signals as a fresh program expects them (nothing blocked, the usual ones at their
// default), in a process group of its own, so a terminal's Ctrl-C is for the player alone.
void setChildAttributes(posix_spawnattr_t* attributes);

// Starts command[0] with the rest as its arguments, in its own process group, with standard
// input from /dev/null and standard error joined to standard output; stdoutFd < 0 sends the
// output to /dev/null. An empty workingFolder keeps the caller's. Returns 0 or the error number.
int spawnChild(const QStringList& command, const QString& workingFolder, int stdoutFd, pid_t* pid);

// A pidfd of the child, always close-on-exec; -1 on kernels without them, where callers fall
// back to waitpid().
int openPidfd(pid_t pid);

// The milliseconds left before deadline as a poll() timeout: never negative, at most 1000 s.
int remainingMs(std::chrono::steady_clock::time_point deadline);

// Waits on the child's pidfd for its end or the deadline. Returns false at the deadline; throws
// RunnerError (WaitFailed) when the wait itself fails.
bool waitForExit(int pidfd, std::chrono::steady_clock::time_point deadline);

} // namespace korvane

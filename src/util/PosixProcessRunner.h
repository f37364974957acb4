#pragma once

#include "util/ProcessRunner.h"

namespace korvane {

// The real runner: posix_spawn with an argument vector, one pipe for both output streams, and a
// poll() on the pipe and on a pidfd of the child, so a run costs the child's own time and no more.
// Each child gets its own process group, which is killed as a whole at the time limit.
class PosixProcessRunner : public ProcessRunner
{
public:
    bool runPipedCommand(const QStringList& command, const QString& outputFile,
                         const QString& workingFolder = QString(),
                         std::chrono::milliseconds timeLimit = DefaultTimeLimit) override;
    bool shellAndWait(QString& program, const QStringList& parameters, bool wait = true,
                      std::chrono::milliseconds timeLimit = DefaultTimeLimit) override;

    // Kills the process group of every child a runner is waiting for; the waiting calls then
    // return at once. For shutdown, which does not wait for the probes.
    static void killRunningChildren();
};

} // namespace korvane

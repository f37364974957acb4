#pragma once

#include <sys/types.h>

namespace korvane {

// Kills the child's whole process group and reaps the child unless the run finished normally.
// While a guard holds a child, killAll() reaches it too.
class ChildGuard
{
public:
    explicit ChildGuard(pid_t pid);
    ~ChildGuard();
    ChildGuard(const ChildGuard&) = delete;
    ChildGuard& operator=(const ChildGuard&) = delete;

    void killAndReap();
    // Waits for the child's end; returns its wait status.
    int reap();

    // Kills the process group of every child a guard holds. For shutdown, which does not wait
    // for the probes.
    static void killAll();

private:
    pid_t m_pid;
};

} // namespace korvane

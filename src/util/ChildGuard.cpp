#include "util/ChildGuard.h"

#include <cerrno>
#include <csignal>
#include <mutex>
#include <set>
#include <sys/wait.h>

namespace korvane {

namespace {

// The process groups of the children being waited for, so that shutdown can end them all. A
// child leaves the set before it is reaped: until then its pid cannot be reused.
std::mutex g_runningMutex;
std::set<pid_t> g_running;

} // namespace

ChildGuard::ChildGuard(pid_t pid) : m_pid(pid)
{
    const std::lock_guard<std::mutex> lock(g_runningMutex);
    g_running.insert(pid);
}

ChildGuard::~ChildGuard()
{
    if (m_pid > 0) {
        killAndReap();
    }
}

void ChildGuard::killAndReap()
{
    ::kill(-m_pid, SIGKILL);
    ::kill(m_pid, SIGKILL);
    reap();
}

int ChildGuard::reap()
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

void ChildGuard::killAll()
{
    const std::lock_guard<std::mutex> lock(g_runningMutex);
    for (const pid_t pid : g_running) {
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
    }
}

} // namespace korvane

#include "util/ExitDeadline.h"

#include <cstdio>
#include <unistd.h>

namespace korvane {

ExitDeadline::ExitDeadline(std::chrono::milliseconds limit, const char* reason)
    : ExitDeadline(limit, [reason] {
          std::fprintf(stderr, "%s\n", reason);
          std::fflush(nullptr);
          ::_exit(0);
      })
{}

ExitDeadline::ExitDeadline(std::chrono::milliseconds limit, Expiry expiry)
{
    m_watch = std::thread([this, limit, expiry = std::move(expiry)] {
        std::unique_lock lock(m_mutex);
        if (!m_changed.wait_for(lock, limit, [this] { return m_disarmed; })) {
            lock.unlock();
            expiry();
        }
    });
}

ExitDeadline::~ExitDeadline()
{
    disarm();
    m_watch.join();
}

void ExitDeadline::disarm()
{
    {
        std::lock_guard lock(m_mutex);
        m_disarmed = true;
    }
    m_changed.notify_all();
}

} // namespace korvane

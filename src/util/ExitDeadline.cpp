#include "util/ExitDeadline.h"

namespace korvane {

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

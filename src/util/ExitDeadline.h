#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace korvane {

// Ends the process when the steps after it outlive their time: a library stop that hangs (a
// player joining its threads while the display goes away at logout) must not keep a session
// from ending. What must last is written before it is armed; the expiry ends the process.
class ExitDeadline
{
public:
    using Expiry = std::function<void()>;

    ExitDeadline(std::chrono::milliseconds limit, Expiry expiry);
    ~ExitDeadline();
    ExitDeadline(const ExitDeadline&) = delete;
    ExitDeadline& operator=(const ExitDeadline&) = delete;

    void disarm();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_disarmed = false;
    std::thread m_watch;
};

} // namespace korvane

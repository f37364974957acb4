#include "startup/EmergencySave.h"

#include "instance/SignalWatcher.h"
#include "startup/ProcessEnd.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// Made before main, so they outlive the exit handler that reads them.
std::function<void()> g_save;
bool g_armed = false;

void endAbruptly()
{
    if (!g_armed) {
        return;
    }
    if (const std::function<void()> save = std::exchange(g_save, {})) {
        std::fprintf(stderr, "the display connection ended: saving the settings\n");
        save();
    }
    ProcessEnd::now(1);
}

} // namespace

void EmergencySave::arm(std::function<void()> save)
{
    static const bool registered = std::atexit(endAbruptly) == 0;
    SignalWatcher::holdWorkerFaults();
    if (registered) {
        g_armed = true;
        g_save = std::move(save);
    }
}

void EmergencySave::disarm()
{
    g_save = nullptr;
}

#pragma once

#include <functional>

// Qt ends the process with exit() when the display connection breaks, and the event loop never
// sees it. Once armed, such an exit runs the save first and ends the process at once, before
// static destructors run under libVLC's threads.
class EmergencySave
{
public:
    // Also holds a fault in a worker thread a moment, time for the UI thread to notice the lost
    // display and save.
    static void arm(std::function<void()> save);
    // What must last is written: a later exit() ends at once without saving again.
    static void disarm();
};

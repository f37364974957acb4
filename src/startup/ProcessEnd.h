#pragma once

#include "util/ExitDeadline.h"

// The one way the player's process ends: after the event loop, at a lost display, or when the
// steps of an orderly end outlive their time. Running probe programs are killed with their
// process groups, the output is flushed, and nothing else is waited for: no static destructor
// runs under libVLC's threads, and a probe stuck on a slow disk cannot hold the exit.
class ProcessEnd
{
public:
    [[noreturn]] static void now(int exitCode);
    // An expiry for an exit deadline: writes `reason` to the log, then ends with code 0.
    static korvane::ExitDeadline::Expiry afterDeadline(const char* reason);
};

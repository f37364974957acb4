#include "startup/ProcessEnd.h"

#include "util/PosixProcessRunner.h"

#include <cstdio>
#include <cstdlib>

void ProcessEnd::now(int exitCode)
{
    korvane::PosixProcessRunner::killRunningChildren();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

korvane::ExitDeadline::Expiry ProcessEnd::afterDeadline(const char* reason)
{
    return [reason] {
        std::fprintf(stderr, "%s\n", reason);
        now(0);
    };
}

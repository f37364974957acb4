#pragma once

#include "util/ExitDeadline.h"

#include <functional>
#include <memory>

class PlaybackSession;
class ResumeTracker;
class SettingsStore;
class UserStore;
struct WindowPlacement;

// What a run keeps for the next, and the order of an orderly end. The playing item's place is
// read while the engine still says where it stands; the settings with the window's placement
// and the sound level in the per-user store follow. Only then is the exit deadline armed, and
// only then the engine released: its stop may hang in libVLC when the display goes away at the
// same moment (a logout), and the session must not wait for it.
class ShutdownSequence
{
public:
    using ArmDeadline = std::function<std::unique_ptr<korvane::ExitDeadline>()>;

    ShutdownSequence(ResumeTracker& resume, PlaybackSession& session, SettingsStore& settings,
                     UserStore& store);

    // Writes what must last; the save at a lost display runs this alone.
    void save(const WindowPlacement& placement);
    // save(), then the deadline, then the engine's release. The deadline is kept by the caller
    // until the process ends.
    std::unique_ptr<korvane::ExitDeadline> run(const WindowPlacement& placement,
                                               const ArmDeadline& arm);

private:
    ResumeTracker& m_resume;
    PlaybackSession& m_session;
    SettingsStore& m_settings;
    UserStore& m_store;
};

#include "startup/ShutdownSequence.h"

#include "playback/PlaybackSession.h"
#include "playback/RememberedSound.h"
#include "playback/ResumeTracker.h"
#include "settings/SettingsStore.h"
#include "startup/EmergencySave.h"
#include "util/Logging.h"

ShutdownSequence::ShutdownSequence(ResumeTracker& resume, PlaybackSession& session,
                                   SettingsStore& settings, UserStore& store)
    : m_resume(resume), m_session(session), m_settings(settings), m_store(store)
{}

void ShutdownSequence::save(const WindowPlacement& placement)
{
    m_resume.leave();
    m_settings.save(placement);
    if (!RememberedSound::save(m_store, {m_session.volume(), m_session.isMuted()})) {
        qCWarning(lcApp) << "the sound level could not be stored";
    }
}

std::unique_ptr<korvane::ExitDeadline> ShutdownSequence::run(const WindowPlacement& placement,
                                                             const ArmDeadline& arm)
{
    save(placement);
    EmergencySave::disarm();
    std::unique_ptr<korvane::ExitDeadline> deadline = arm();
    m_session.releasePlayer();
    return deadline;
}

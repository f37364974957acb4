#include "playback/ScreenSaverGuard.h"

#include "playback/PlaybackSession.h"
#include "settings/SettingsStore.h"
#include "system/ScreenSaverInhibitor.h"

ScreenSaverGuard::ScreenSaverGuard(PlaybackSession& session, SettingsStore& settings,
                                   ScreenSaverInhibitor& inhibitor, QObject* parent)
    : QObject(parent), m_session(session), m_settings(settings), m_inhibitor(inhibitor)
{
    connect(&session, &PlaybackSession::controlStateChanged, this, &ScreenSaverGuard::refresh);
    connect(&session, &PlaybackSession::audioOnlyChanged, this, [this](bool audioOnly) {
        m_audioOnly = audioOnly;
        refresh();
    });
}

bool ScreenSaverGuard::wanted(bool disableScreenSaver, MediaControlState::State state,
                              bool audioOnly)
{
    return disableScreenSaver && state == MediaControlState::Playing && !audioOnly;
}

void ScreenSaverGuard::refresh()
{
    m_inhibitor.setInhibited(
        wanted(m_settings.settings().disableScreenSaver, m_session.controlState(), m_audioOnly));
}

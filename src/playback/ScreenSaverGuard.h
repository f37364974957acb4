#pragma once

#include "playback/MediaControlState.h"

#include <QObject>

class PlaybackSession;
class ScreenSaverInhibitor;
class SettingsStore;

// Holds the screensaver off while a video plays, when the settings ask for it; lets it go on
// pause, stop, sound-only items and when the setting is turned off.
class ScreenSaverGuard : public QObject
{
    Q_OBJECT
public:
    ScreenSaverGuard(PlaybackSession& session, SettingsStore& settings,
                     ScreenSaverInhibitor& inhibitor, QObject* parent = nullptr);

    static bool wanted(bool disableScreenSaver, MediaControlState::State state, bool audioOnly);

    // Decides again from the setting and the play state; the settings store's change calls it.
    void refresh();

private:
    PlaybackSession& m_session;
    SettingsStore& m_settings;
    ScreenSaverInhibitor& m_inhibitor;
    bool m_audioOnly = false;
};

#include "playback/MediaControlState.h"

std::optional<MediaControlState> MediaControlState::enableMediaControl(int state)
{
    switch (state) {
    case Playing:
    case Stopped:
    case Paused:
        return MediaControlState(static_cast<State>(state));
    default:
        return std::nullopt;
    }
}

TransportFlags MediaControlState::flags() const
{
    switch (m_state) {
    case Playing:
        return {true, false, false};
    case Stopped:
        return {false, true, true};
    case Paused:
        return {false, true, false};
    }
    return {};
}

int MediaControlState::buttonState(int hitIndex) const
{
    if (hitIndex < PlayButton || hitIndex > FullScreenButton)
        return -1;
    bool enabled = false;
    switch (hitIndex) {
    case PlayButton:
        enabled = m_state != Playing;
        break;
    case PauseButton:
        enabled = m_state == Playing;
        break;
    case StopButton:
        enabled = m_state != Stopped;
        break;
    default:
        enabled = m_state == Playing;
        break;
    }
    return enabled ? ButtonNormal : ButtonDisabled;
}

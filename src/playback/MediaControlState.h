#pragma once

#include "playback/TransportFlags.h"

#include <optional>

// The three transport states of enableMediaControl: the flags they set and which transport
// buttons they enable. The skin binds its buttons to this.
class MediaControlState
{
public:
    enum State : int
    {
        Playing = 0,
        Stopped = 1,
        Paused = 2,
    };

    // Skin button states used here.
    static constexpr int ButtonNormal = 0;
    static constexpr int ButtonDisabled = 3;

    // Skin hit indices of the transport buttons.
    static constexpr int PlayButton = 8;
    static constexpr int PauseButton = 9;
    static constexpr int StopButton = 10;
    static constexpr int PreviousButton = 11;
    static constexpr int RewindButton = 12;
    static constexpr int NextButton = 13;
    static constexpr int FastForwardButton = 14;
    static constexpr int MediaInfoButton = 15;
    static constexpr int FullScreenButton = 16;

    // enableMediaControl: none for a number that is not one of the three states.
    static std::optional<MediaControlState> enableMediaControl(int state);

    State state() const { return m_state; }
    TransportFlags flags() const;
    // Skin state of a transport button (8 to 16); -1 for any other hit index.
    int buttonState(int hitIndex) const;

private:
    explicit MediaControlState(State state) : m_state(state) {}

    State m_state;
};

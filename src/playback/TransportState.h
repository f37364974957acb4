#pragma once

#include "playback/MediaControlState.h"
#include "playback/TransportFlags.h"

// The transport as it stands, for the parts that show or act on it. Time and length are
// milliseconds taken from the engine when the transport last moved: at each tick of the monitor
// while an item plays, at every pause, resume, stop and seek, and when the engine changes state.
struct TransportState
{
    MediaControlState::State control = MediaControlState::Stopped;
    TransportFlags flags;
    double timeMs = 0.0;
    double lengthMs = 0.0;
    // The chosen speed; fast forward runs above it for as long as it is held.
    double rate = 1.0;
    bool canIncreaseSpeed = true;
    bool canDecreaseSpeed = true;
    bool muted = false;
    int volume = 100;

    // An item is in the engine and the user has not stopped it: playing, or paused.
    bool itemUnderWay() const { return flags.mediaActive || control == MediaControlState::Paused; }
};

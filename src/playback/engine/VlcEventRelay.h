#pragma once

#include <atomic>
#include <mutex>

class VideoFrames;
class VlcEngine;
struct libvlc_event_t;
struct libvlc_media_player_t;

// Bridges libVLC's event threads to the UI thread. The engine clears `engine` before it stops and
// releases the player, so a callback that is already running can never post to a dead object.
struct VlcEventRelay
{
    std::mutex mutex;
    VlcEngine* engine = nullptr;
    // The engine's pictures, if it has any: a Paused event carries the request generation it
    // came in, so that a later request outdates it.
    const VideoFrames* frames = nullptr;
    // Set on the event thread: after a failed open libVLC reads "ended", not "error".
    std::atomic<bool> failed{false};

    // Watches the player's events from now until it is released.
    void attach(libvlc_media_player_t* player);

    // Runs on a libVLC thread (or inside libvlc_media_player_stop on the caller's): copy and queue.
    static void onEvent(const libvlc_event_t* event, void* data);
};

#include "playback/engine/VlcEventRelay.h"

#include "playback/engine/VideoFrames.h"
#include "playback/engine/VlcEngine.h"

#include <vlc/vlc.h>

namespace {

constexpr libvlc_event_type_t kWatchedEvents[] = {
    libvlc_MediaPlayerOpening,          libvlc_MediaPlayerPlaying,    libvlc_MediaPlayerPaused,
    libvlc_MediaPlayerStopped,          libvlc_MediaPlayerEndReached, libvlc_MediaPlayerVout,
    libvlc_MediaPlayerEncounteredError, libvlc_MediaPlayerESAdded,    libvlc_MediaPlayerESDeleted,
    libvlc_MediaPlayerESSelected,
};

} // namespace

void VlcEventRelay::attach(libvlc_media_player_t* player)
{
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(player);
    for (libvlc_event_type_t type : kWatchedEvents) {
        libvlc_event_attach(events, type, &VlcEventRelay::onEvent, this);
    }
}

void VlcEventRelay::onEvent(const libvlc_event_t* event, void* data)
{
    auto* relay = static_cast<VlcEventRelay*>(data);
    const int type = event->type;
    int value = 0;
    if (type == libvlc_MediaPlayerVout) {
        value = event->u.media_player_vout.new_count;
    } else if (type == libvlc_MediaPlayerESAdded || type == libvlc_MediaPlayerESDeleted ||
               type == libvlc_MediaPlayerESSelected) {
        value = event->u.media_player_es_changed.i_type;
    } else if (type == libvlc_MediaPlayerPaused && relay->frames) {
        value = static_cast<int>(relay->frames->generation());
    } else if (type == libvlc_MediaPlayerEncounteredError) {
        relay->failed = true;
    }
    std::lock_guard lock(relay->mutex);
    if (VlcEngine* target = relay->engine) {
        QMetaObject::invokeMethod(
            target, [target, type, value] { target->handleEvent(type, value); },
            Qt::QueuedConnection);
    }
}

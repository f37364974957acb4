#include "playback/engine/OutputRelease.h"

#include "playback/engine/VideoFrames.h"

#include <vlc/vlc.h>

OutputRelease::OutputRelease(VideoFrames* frames, libvlc_media_player_t* player, Then then)
    : m_frames(frames), m_player(player), m_then(then)
{
    if (m_frames) {
        m_generation = m_frames->beginRequest();
    }
}

OutputRelease::~OutputRelease()
{
    if (m_frames && m_then == Then::HoldIfPaused &&
        libvlc_media_player_get_state(m_player) == libvlc_Paused) {
        m_frames->holdFrom(m_generation);
    }
}

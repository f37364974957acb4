#pragma once

class VideoFrames;
struct libvlc_media_player_t;

// Lets a held output go for the length of one libVLC call that may wait for it: a stop, a new
// item, play or pause, a seek, a rate or track change, a subtitle file, a snapshot, the player's
// end. Every such call of the engine runs inside one of these. The call is a request: pictures
// the output took before it no longer hold it.
class OutputRelease
{
public:
    enum class Then
    {
        // The call ends the hold for good (play, pause, stop) or the Paused event brings it back.
        Free,
        // Paused, the output is held again from the first picture that comes after the call.
        HoldIfPaused,
    };

    // No frames: libVLC draws into a window of its own and nothing is ever held.
    OutputRelease(VideoFrames* frames, libvlc_media_player_t* player, Then then);
    ~OutputRelease();
    OutputRelease(const OutputRelease&) = delete;
    OutputRelease& operator=(const OutputRelease&) = delete;

private:
    VideoFrames* m_frames;
    libvlc_media_player_t* m_player;
    Then m_then;
    unsigned m_generation = 0;
};

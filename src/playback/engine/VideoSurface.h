#pragma once

#include <memory>

class VideoFrames;

// Where an engine's pictures are shown. Playback hands over the pictures and needs no widgets.
class VideoSurface
{
public:
    virtual ~VideoSurface() = default;
    // Called on the UI thread when an engine control is made: from then on the surface shows
    // these pictures, in place of any earlier engine's.
    virtual void showFrames(std::shared_ptr<VideoFrames> frames) = 0;
};

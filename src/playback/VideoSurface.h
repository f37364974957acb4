#pragma once

#include <QtGlobal>

// Where an engine draws its video: a native window it is given the id of. Playback asks for the
// id and needs no widgets.
class VideoSurface
{
public:
    virtual ~VideoSurface() = default;
    // Called on the UI thread, when an engine control is made.
    virtual quint64 videoWindowId() = 0;
};

#pragma once

#include <functional>

class PlaySequence;
class PlaylistModel;
class QObject;

// Keeps a play order in step with the playlist it orders: an entry removed, moved or all of
// them cleared. The connections live as long as `context`.
class SequenceFollower
{
public:
    static void follow(PlaylistModel& playlist, PlaySequence& sequence, QObject* context,
                       std::function<bool()> isShuffle);
};

#include "playback/SequenceFollower.h"

#include "playback/PlaySequence.h"
#include "playlist/PlaylistModel.h"

void SequenceFollower::follow(PlaylistModel& playlist, PlaySequence& sequence, QObject* context,
                              std::function<bool()> isShuffle)
{
    QObject::connect(&playlist, &PlaylistModel::entryRemoved, context,
                     [&sequence](int index) { sequence.removeAt(index); });
    QObject::connect(&playlist, &PlaylistModel::cleared, context,
                     [&sequence] { sequence.clear(); });
    QObject::connect(&playlist, &PlaylistModel::entryMoved, context,
                     [&sequence, isShuffle = std::move(isShuffle)](int from, int to) {
                         sequence.entryMoved(from, to,
                                             isShuffle() ? PlayMode::Shuffle : PlayMode::Normal);
                     });
}

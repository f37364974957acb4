#pragma once

#include "playback/AfterPlay.h"
#include "playback/ItemEndDecision.h"
#include "playback/PlaySequence.h"
#include "playback/PlaybackModes.h"

#include <QObject>
#include <optional>

class PlaylistModel;
class PowerControl;

// What plays next: the order over the playlist, the play and repeat modes, the after-play
// action, and the step to the next item when one ends or the user asks. It moves the playlist's
// selection to the entry it chooses; starting that entry is the caller's job.
class PlayOrder : public QObject
{
    Q_OBJECT
public:
    PlayOrder(PlaylistModel& playlist, PowerControl& power, QObject* parent = nullptr);

    void setRandomSource(PlaySequence::RandomSource random) { m_random = std::move(random); }

    // The modes as chosen or stored; a value that names no mode plays as a known one.
    PlayMode playMode() const { return m_playMode; }
    RepeatMode repeatMode() const { return m_repeatMode; }
    void setPlayMode(PlayMode mode);
    void setRepeatMode(RepeatMode mode);
    // Both at once, as the stored ones are handed over: one announcement, after both are set.
    void setModes(PlayMode play, RepeatMode repeat);
    void chooseAfterPlay(int toDo);
    bool isShuffle() const;

    const PlaySequence& sequence() const { return m_sequence; }
    const AfterPlay& afterPlay() const { return m_afterPlay; }

    // Shuffled in Shuffle mode, in order otherwise; the position follows the selected entry.
    void rebuild();
    // Entries arrived: a shuffled order keeps what has played this round.
    void entriesCommitted();
    void setPosition(int position);
    // A click on an entry moves the position there, unless the order is shuffled.
    void entryClicked(int index);
    // The entry plays by the user's choice, and the order goes on from it.
    void entryChosen(int index);
    // Play with nothing to resume: the selected entry, or the first when none is selected.
    int entryToStart();
    // Next and Previous: the entry to play, none when the order is empty.
    std::optional<int> next();
    std::optional<int> previous();
    // The current item finished by itself: the continuation by play and repeat mode. For
    // PlayEntry the position and the selection have already moved.
    ItemEndDecision itemEnded();
    // Runs the after-play action; true when it asks for the program to end.
    bool finish() const;

signals:
    void modesChanged();

private:
    std::optional<int> stepTo(std::optional<int> position);
    void select(int index);

    PlaylistModel& m_playlist;
    PowerControl& m_power;
    PlaySequence m_sequence;
    PlaySequence::RandomSource m_random;
    PlayMode m_playMode = PlayMode::Normal;
    RepeatMode m_repeatMode = RepeatMode::NoRepeat;
    AfterPlay m_afterPlay;
};

#pragma once

#include "playback/ItemEndDecision.h"
#include "playback/PlaybackModes.h"

#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The play order: entry p holds the playlist index played at position p, and the
// current position marks where playback stands. Builders, removal and the position arithmetic
// of the transport and of the end of an item; acting on the results is the session's job.
class PlaySequence
{
public:
    // Yields numbers in [0, 1).
    using RandomSource = std::function<double()>;

    // A clock-seeded generator, as the shuffle uses outside tests.
    static RandomSource defaultRandomSource();
    // The same generator from a given seed: the same numbers every run.
    static RandomSource seededRandomSource(std::uint64_t seed);

    // Entry i holds i.
    void buildOrdered(int count, int selectedEntry);
    // A random permutation; each free slot is found by redrawing until an empty one comes up.
    void buildShuffled(int count, int selectedEntry, const RandomSource& random);
    // Entries added to a shuffled order: what has played this round (from where the round began
    // up to the position) moves to the front in its order; everything else, old and new, is
    // shuffled after it. Every entry then plays
    // once per round, however entries arrive. A fresh shuffle when nothing is current.
    void extendShuffled(int count, int selectedEntry, const RandomSource& random);
    // Shuffled in Shuffle mode, ordered otherwise.
    void build(PlayMode mode, int count, int selectedEntry, const RandomSource& random);

    // Deletes the line at `index`; the numbers in the other lines are not renumbered.
    void removeAt(int index);
    void clear();
    // The playlist entry at `from` now stands at `to`. A shuffled order keeps its order of
    // entries, renumbered; any other order becomes the list's new order. Either way the position
    // stays on the entry it pointed at.
    void entryMoved(int from, int to, PlayMode mode);

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const std::vector<int>& entries() const { return m_entries; }
    // The lines as the hidden list shows them, in decimal.
    QStringList lines() const;

    // -1 when nothing is current.
    int position() const { return m_position; }
    // A position outside -1 .. count - 1 leaves the current one as it is.
    void setPosition(int position);
    // The playlist index stored at `position`, -1 if there is no such line.
    int entryAt(int position) const;
    // Where playlist entry `entry` stands in the order, -1 if nowhere.
    int positionOf(int entry) const;
    // Makes the position the place of playlist entry `entry` (nothing current if it has none).
    void setPositionToEntry(int entry);

    // Where next and previous go, wrapping both ways whatever the repeat mode; they play the
    // entry stored there. None when the sequence is empty.
    std::optional<int> nextPosition() const;
    std::optional<int> previousPosition() const;

    // The continuation after an item has finished by itself; plays the entry stored at the new
    // position. Does not move the position: the caller applies the decision.
    ItemEndDecision afterItemEnd(PlayMode playMode, RepeatMode repeatMode) const;

private:
    std::vector<int> m_entries;
    int m_position = -1;
    // Where the current round began: a shuffle starts at the selected entry, not at the top.
    int m_roundStart = 0;
};

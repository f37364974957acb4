#pragma once

// What the playlist needs from playback: playing an entry and the play order over its entries.
class PlaybackSeam
{
public:
    virtual ~PlaybackSeam() = default;

    virtual void PlayItem(int index, bool fullScreen) = 0;
    // Shuffled when the play mode is shuffle, in order otherwise; the position follows the
    // selected entry.
    virtual void rebuildSequence() = 0;
    virtual void setSequencePosition(int position) = 0;
    // The play order loses its line at this index; the others keep their numbers.
    virtual void removeSequenceAt(int index) = 0;
    virtual void clearSequence() = 0;
    virtual bool isShuffle() const = 0;
};

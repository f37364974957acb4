#include "playback/PlayOrder.h"

#include "playback/SequenceFollower.h"
#include "playlist/PlaylistModel.h"

PlayOrder::PlayOrder(PlaylistModel& playlist, PowerControl& power, QObject* parent)
    : QObject(parent), m_playlist(playlist), m_power(power),
      m_random(PlaySequence::defaultRandomSource())
{
    SequenceFollower::follow(m_playlist, m_sequence, this, [this] { return isShuffle(); });
}

void PlayOrder::setPlayMode(PlayMode mode)
{
    m_playMode = mode;
    rebuild();
    emit modesChanged();
}

void PlayOrder::setRepeatMode(RepeatMode mode)
{
    m_repeatMode = mode;
    emit modesChanged();
}

void PlayOrder::setModes(PlayMode play, RepeatMode repeat)
{
    m_playMode = play;
    m_repeatMode = repeat;
    rebuild();
    emit modesChanged();
}

void PlayOrder::chooseAfterPlay(int toDo)
{
    m_afterPlay.choose(toDo);
    emit modesChanged();
}

bool PlayOrder::isShuffle() const
{
    return playModeFromSetting(m_playMode) == PlayMode::Shuffle;
}

void PlayOrder::rebuild()
{
    m_sequence.build(playModeFromSetting(m_playMode), m_playlist.count(), m_playlist.selectedItem(),
                     m_random);
}

void PlayOrder::entriesCommitted()
{
    if (isShuffle()) {
        m_sequence.extendShuffled(m_playlist.count(), m_playlist.selectedItem(), m_random);
    } else {
        rebuild();
    }
}

void PlayOrder::setPosition(int position)
{
    m_sequence.setPosition(position);
}

void PlayOrder::entryClicked(int index)
{
    if (!isShuffle()) {
        m_sequence.setPositionToEntry(index);
    }
}

void PlayOrder::entryChosen(int index)
{
    m_sequence.setPositionToEntry(index);
}

int PlayOrder::entryToStart()
{
    int selected = m_playlist.selectedItem();
    if (selected < 0 || selected >= m_playlist.count()) {
        selected = 0;
        select(selected);
    }
    m_sequence.setPositionToEntry(selected);
    return selected;
}

std::optional<int> PlayOrder::next()
{
    return stepTo(m_sequence.nextPosition());
}

std::optional<int> PlayOrder::previous()
{
    return stepTo(m_sequence.previousPosition());
}

std::optional<int> PlayOrder::stepTo(std::optional<int> position)
{
    if (!position) {
        return std::nullopt;
    }
    m_sequence.setPosition(*position);
    const int entry = m_sequence.entryAt(*position);
    select(entry);
    return entry;
}

ItemEndDecision PlayOrder::itemEnded()
{
    const ItemEndDecision decision = m_sequence.afterItemEnd(playModeFromSetting(m_playMode),
                                                             repeatModeFromSetting(m_repeatMode));
    if (decision.action == ItemEndDecision::Action::PlayEntry) {
        m_sequence.setPosition(decision.position);
        select(decision.entry);
    }
    return decision;
}

bool PlayOrder::finish() const
{
    return m_afterPlay.finish(m_power) == AfterPlay::Result::CloseWindow;
}

void PlayOrder::select(int index)
{
    // The list keeps its selection when asked for no entry.
    if (index >= 0) {
        m_playlist.select(index);
    }
}

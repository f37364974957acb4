#pragma once

#include "playback/ItemEndDecision.h"
#include "playback/PlaybackModes.h"

#include <ostream>
#include <string>

// Names and values as a reader of a failing test wants them, not as byte dumps.
inline std::string nameOf(PlayMode mode)
{
    switch (mode) {
    case PlayMode::Normal:
        return "Normal";
    case PlayMode::Continuous:
        return "Continuous";
    case PlayMode::Shuffle:
        return "Shuffle";
    }
    return "PlayMode" + std::to_string(static_cast<int>(mode));
}

inline std::string nameOf(RepeatMode mode)
{
    switch (mode) {
    case RepeatMode::NoRepeat:
        return "NoRepeat";
    case RepeatMode::SingleRepeat:
        return "SingleRepeat";
    case RepeatMode::RepeatAll:
        return "RepeatAll";
    }
    return "RepeatMode" + std::to_string(static_cast<int>(mode));
}

inline void PrintTo(PlayMode mode, std::ostream* out)
{
    *out << nameOf(mode);
}

inline void PrintTo(RepeatMode mode, std::ostream* out)
{
    *out << nameOf(mode);
}

inline void PrintTo(const ItemEndDecision& decision, std::ostream* out)
{
    switch (decision.action) {
    case ItemEndDecision::Action::Replay:
        *out << "replay";
        return;
    case ItemEndDecision::Action::StopAndFinish:
        *out << "stop and finish";
        return;
    case ItemEndDecision::Action::PlayEntry:
        *out << "play entry " << decision.entry << " at position " << decision.position;
        return;
    }
}

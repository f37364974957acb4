#pragma once

#include <QtGlobal>

// The play order the user chose; the numbers are the ones kept in the settings.
enum class PlayMode : qint32
{
    Normal = 0,
    Continuous = 1,
    Shuffle = 2,
};

enum class RepeatMode : qint32
{
    NoRepeat = 0,
    SingleRepeat = 1,
    RepeatAll = 2,
};

// A stored value outside the known ones still plays: any play mode but Normal and Shuffle moves
// on like Continuous, any repeat mode but the first two wraps.
inline PlayMode playModeFromSetting(qint32 value)
{
    switch (value) {
    case 0:
        return PlayMode::Normal;
    case 2:
        return PlayMode::Shuffle;
    default:
        return PlayMode::Continuous;
    }
}

inline RepeatMode repeatModeFromSetting(qint32 value)
{
    switch (value) {
    case 0:
        return RepeatMode::NoRepeat;
    case 1:
        return RepeatMode::SingleRepeat;
    default:
        return RepeatMode::RepeatAll;
    }
}

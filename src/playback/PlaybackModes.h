#pragma once

#include "settings/SettingsEnums.h"

// A stored value outside the known ones behaves as a known one: any play mode but Normal and
// Shuffle moves on like Continuous, any repeat mode but the first two wraps.
inline PlayMode playModeFromSetting(PlayMode value)
{
    switch (value) {
    case PlayMode::Normal:
    case PlayMode::Shuffle:
        return value;
    case PlayMode::Continuous:
        break;
    }
    return PlayMode::Continuous;
}

inline RepeatMode repeatModeFromSetting(RepeatMode value)
{
    switch (value) {
    case RepeatMode::NoRepeat:
    case RepeatMode::SingleRepeat:
        return value;
    case RepeatMode::RepeatAll:
        break;
    }
    return RepeatMode::RepeatAll;
}

#pragma once

#include "system/UserStore.h"

#include <QString>
#include <optional>

// The volume and the mute state a run ends with, in the per-user store, so that the next run
// starts as loud (or as silent) as the last one ended.
class RememberedSound
{
public:
    static inline const QString Key = QStringLiteral("Software\\Taskel\\Korvane\\Sound");
    static inline const QString VolumeValue = QStringLiteral("Volume");
    static inline const QString MuteValue = QStringLiteral("Mute");

    struct Level
    {
        int volume = 100;
        bool muted = false;
        bool operator==(const Level&) const = default;
    };

    // Full volume, not muted, for a store that holds none or holds values that are not ours.
    static Level load(const UserStore& store);
    // Both values in one write; false when the store could not take it.
    static bool save(UserStore& store, const Level& level);

    // A stored volume: whole numbers 0 to 100 only.
    static std::optional<int> parseVolume(const QString& text);
};

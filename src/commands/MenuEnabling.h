#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Which of the main menu's changing items are enabled, and how each event moves them. The
// transport five follow the play state and the dispatch; the four playlist items follow
// whether the playlist holds anything.
struct MenuEnabling
{
    bool Stop = true;
    bool FullScreen = true;
    bool IncreaseSpeed = true;
    bool DecreaseSpeed = true;
    bool ResetSpeed = true;
    bool Remove = true;
    bool RemoveAll = true;
    bool Next = true;
    bool Previous = true;

    struct Event
    {
        enum Kind
        {
            StartUp,
            // value: the state enableMediaControl switched to (0 playing, 1 stopped, 2 paused).
            ControlState,
            // "Play/Pause" found the playlist empty and opened the dialog.
            PlayPauseOnEmpty,
            StopCommand,
            // A speed command's verdict on the two speed items; an empty one leaves its item.
            SpeedChanged,
            // value: the number of playlist entries after a change.
            PlaylistCount,
        };
        Kind kind = StartUp;
        int value = 0;
        std::optional<bool> increase;
        std::optional<bool> decrease;
    };

    // The keys governed here, in menu order.
    static const QStringList& keys();
    // None for a key not governed here.
    std::optional<bool> enabled(const QString& key) const;

    bool operator==(const MenuEnabling&) const = default;
};

// The one rule: the enabling after an event.
MenuEnabling nextMenuEnabling(const MenuEnabling& current, const MenuEnabling::Event& event);

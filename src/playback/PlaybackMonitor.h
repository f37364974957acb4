#pragma once

#include "playback/TransportFlags.h"
#include "playback/engine/Engine.h"

#include <QString>
#include <QtGlobal>
#include <optional>

// One tick of the twice-a-second watch over the engine, as a pure decision: what the time label,
// the progress bar and the rate label show, whether the item is over, and whether to move on.
class PlaybackMonitor
{
public:
    static inline const QString LoadingText = QStringLiteral("Loading...");

    struct Input
    {
        bool enginePresent = false;
        TransportFlags flags;
        // Unset where the engine did not answer; a negative time or length counts as unknown.
        std::optional<int> state;
        std::optional<qint64> timeMs;
        std::optional<qint64> lengthMs;
        std::optional<double> position;
        // Whether the engine has played (state 3 or more) since the window last entered the
        // playing state. Reset on every entry into it (a new item, a replay, a resume) and set
        // from the engine's playing notification or from Outcome::reachedPlaying; a stopped
        // engine that has not played since is still opening, not at an end.
        bool reachedPlaying = false;
        // The item is a disc started from the drive list: it never moves on by itself.
        bool currentIsDvdDrive = false;
        bool engineHasMedia = false;
    };

    enum class RateLabel
    {
        Unchanged,
        ShowLoading,
        Hide,
    };

    struct Outcome
    {
        RateLabel rateLabel = RateLabel::Unchanged;
        std::optional<int> progressPercent;
        std::optional<QString> timeText;
        // The item has just finished: clear mediaActive; the next tick moves on.
        bool finished = false;
        // Keep for the next tick.
        bool reachedPlaying = false;
        bool enableDvdCheck = false;
        // The item finished on an earlier tick: run the continuation by play and repeat mode.
        bool moveOn = false;
        bool operator==(const Outcome&) const = default;
    };

    // What a tick reads: the session's state and, when there is an engine, its readings.
    static Input read(const Engine* engine, const TransportFlags& flags, bool reachedPlaying,
                      bool currentIsDvdDrive);
    static Outcome tick(const Input& input);
    // Whether the next tick can do anything: an item plays and the engine has not paused it, or
    // it has finished by itself and the next tick moves on. Paused, stopped or idle, the timer
    // sleeps until a command or an engine notification changes that.
    static bool wanted(const Input& input);
};

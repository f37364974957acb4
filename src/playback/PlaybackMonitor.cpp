#include "playback/PlaybackMonitor.h"

#include "playback/TimeText.h"
#include "util/Rounding.h"

namespace {

std::optional<qint64> known(std::optional<qint64> value)
{
    if (value && *value >= 0)
        return value;
    return std::nullopt;
}

} // namespace

PlaybackMonitor::Input PlaybackMonitor::read(const Engine* engine, const TransportFlags& flags,
                                             bool reachedPlaying, bool currentIsDvdDrive)
{
    Input input;
    input.enginePresent = engine != nullptr;
    input.flags = flags;
    input.reachedPlaying = reachedPlaying;
    input.currentIsDvdDrive = currentIsDvdDrive;
    if (engine) {
        input.state = engine->state();
        input.timeMs = static_cast<qint64>(engine->time());
        input.lengthMs = static_cast<qint64>(engine->length());
        input.position = engine->position();
        input.engineHasMedia = engine->hasMedia();
    }
    return input;
}

PlaybackMonitor::Outcome PlaybackMonitor::tick(const Input& input)
{
    Outcome out;
    out.reachedPlaying = input.reachedPlaying;
    if (!input.enginePresent)
        return out;

    if (input.flags.mediaActive) {
        if (input.state) {
            out.rateLabel =
                *input.state < Engine::Playing ? RateLabel::ShowLoading : RateLabel::Hide;
            // Only playing or paused prove the item was under way; stopped, ended and error
            // states are also above 3.
            if (*input.state == Engine::Playing || *input.state == Engine::Paused)
                out.reachedPlaying = true;
        }
        if (input.position && *input.position > 0.0)
            out.progressPercent = static_cast<int>(korvane::roundHalfEven(*input.position * 100.0));

        const auto time = known(input.timeMs);
        const auto length = known(input.lengthMs);
        std::optional<qint64> elapsed;
        std::optional<qint64> total;
        if (time && length) {
            elapsed = TimeText::wholeSeconds(*time);
            total = TimeText::wholeSeconds(*length);
            out.timeText = TimeText::elapsedOfTotal(*elapsed, *total);
        }

        // A stop the user gave is in progress: the engine's stopped state is theirs, not an end.
        if (input.flags.stopped)
            return out;
        // The last reported time can stop short of the rounded length, so the engine's own word
        // that the item ended counts as well. A stopped state seen while playing is the one that
        // follows every end.
        if (input.state) {
            const int state = *input.state;
            if (state == Engine::Ended || state == Engine::Error ||
                (state == Engine::Stopped && out.reachedPlaying)) {
                out.finished = true;
                return out;
            }
        }
        // Before the engine plays, time and length are not yet the item's.
        if (out.reachedPlaying && total && *total > 0 && *elapsed >= *total)
            out.finished = true;
        return out;
    }

    if (!input.flags.paused)
        out.enableDvdCheck = true;
    if (input.flags.paused || input.flags.stopped)
        return out;
    if (input.currentIsDvdDrive || !input.engineHasMedia)
        return out;
    out.moveOn = true;
    return out;
}

bool PlaybackMonitor::wanted(const Input& input)
{
    if (!input.enginePresent) {
        return false;
    }
    if (input.flags.mediaActive) {
        return input.state != Engine::Paused;
    }
    return !input.flags.paused && !input.flags.stopped && !input.currentIsDvdDrive &&
           input.engineHasMedia;
}

#pragma once

#include <optional>

// Pixel and position arithmetic of the progress bar, the volume slider and rewinding.
class TransportArithmetic
{
public:
    // The fill's width for a percentage of the bar, kept within the bar.
    static int progressFillWidth(int percent, int barWidth);

    struct Seek
    {
        int fillWidth = 0;
        // Fraction of the length to jump to.
        double position = 0.0;
        bool operator==(const Seek&) const = default;
    };
    // A press at x pixels from the bar's left edge. The last two pixels of the bar are dead;
    // a drag past the left edge seeks to the start.
    static std::optional<Seek> seek(int x, int barWidth);

    struct Volume
    {
        int knobLeft = 0;
        int value = 0;
        bool operator==(const Volume&) const = default;
    };
    // A press or drag at x pixels from the slider's left edge (a move over the knob counts from
    // the knob's left edge plus the mouse x). None outside 0 .. 100: nothing changes then.
    static std::optional<Volume> volume(int x, int sliderInnerWidth);

    // One rewind tick: a thousandth of the length back, never before the start.
    static double rewindPosition(double position);
};

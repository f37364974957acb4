#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The arithmetic behind the keys and the wheel: seek steps kept inside the item, volume steps kept
// on the slider's scale, wheel notches, and the numbering of snapshot files.
class ControlSteps
{
public:
    static constexpr int VolumeStep = 5;
    static constexpr int MaxVolume = 100;
    static constexpr double ShortSeekMs = 5000.0;
    static constexpr double LongSeekMs = 60000.0;
    // One notch of a wheel, in the units a wheel event reports.
    static constexpr int NotchDelta = 120;

    // Where a seek of `stepMs` from `timeMs` lands, never before 0 nor past `lengthMs`; none
    // while the length is unknown (0, negative or not a number).
    static std::optional<double> seekTarget(double timeMs, double lengthMs, double stepMs);
    // The volume after `steps` steps (negative: down), kept within 0 .. MaxVolume.
    static int volumeAfter(int volume, int steps);

    // Whole notches in a wheel turn: `pending` keeps the part of a notch that fine-grained
    // wheels and touchpads report, and receives what is left over.
    static int notches(int angleDelta, int& pending);

    // The next snapshot file name in a folder holding `existing`: the prefix, a four-digit
    // number one above the highest the prefix already has with that extension, the extension.
    static QString nextSnapshotName(const QStringList& existing, const QString& prefix,
                                    const QString& extension);
};

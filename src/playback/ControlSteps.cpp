#include "playback/ControlSteps.h"

#include <algorithm>
#include <cmath>

std::optional<double> ControlSteps::seekTarget(double timeMs, double lengthMs, double stepMs)
{
    if (!(lengthMs > 0.0) || !std::isfinite(lengthMs) || !std::isfinite(stepMs)) {
        return std::nullopt;
    }
    const double from = std::isfinite(timeMs) ? timeMs : 0.0;
    return std::clamp(from + stepMs, 0.0, lengthMs);
}

int ControlSteps::volumeAfter(int volume, int steps)
{
    const long long wanted =
        static_cast<long long>(volume) + static_cast<long long>(steps) * VolumeStep;
    return static_cast<int>(std::clamp<long long>(wanted, 0, MaxVolume));
}

int ControlSteps::notches(int angleDelta, int& pending)
{
    const long long total = static_cast<long long>(pending) + angleDelta;
    const long long whole = total / NotchDelta; // toward zero, so the rest keeps its sign
    pending = static_cast<int>(total - whole * NotchDelta);
    return static_cast<int>(whole);
}

QString ControlSteps::nextSnapshotName(const QStringList& existing, const QString& prefix,
                                       const QString& extension)
{
    const QString suffix = u'.' + extension;
    qint64 highest = 0;
    for (const QString& name : existing) {
        if (!name.startsWith(prefix) || !name.endsWith(suffix, Qt::CaseInsensitive)) {
            continue;
        }
        const QString digits = name.mid(prefix.size(), name.size() - prefix.size() - suffix.size());
        const bool allDigits =
            !digits.isEmpty() && std::all_of(digits.begin(), digits.end(),
                                             [](QChar c) { return c >= u'0' && c <= u'9'; });
        bool ok = false;
        const qint64 number = allDigits ? digits.toLongLong(&ok) : 0;
        if (ok) {
            highest = std::max(highest, number);
        }
    }
    return prefix + QString::number(highest + 1).rightJustified(4, u'0') + suffix;
}

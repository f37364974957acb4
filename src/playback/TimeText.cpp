#include "playback/TimeText.h"

#include "util/Rounding.h"

namespace {

QString twoDigits(qint64 value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QString TimeText::fromSeconds(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const qint64 hours = seconds / 3600;
    const qint64 rest = seconds - hours * 3600;
    const qint64 minutes = rest / 60;
    return twoDigits(hours) + QLatin1Char(':') + twoDigits(minutes) + QLatin1Char(':') +
           twoDigits(rest - minutes * 60);
}

QString TimeText::elapsedOfTotal(qint64 elapsedSeconds, qint64 totalSeconds)
{
    return fromSeconds(elapsedSeconds) + QStringLiteral(" / ") + fromSeconds(totalSeconds);
}

qint64 TimeText::wholeSeconds(qint64 milliseconds)
{
    return korvane::roundHalfEven(static_cast<double>(milliseconds) / 1000.0);
}

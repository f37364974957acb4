#include "playback/SpeedSteps.h"

#include "util/Rounding.h"

#include <cmath>

namespace {

SpeedSteps::Change changeTo(double rate, bool mediaActive, const QLocale& locale)
{
    SpeedSteps::Change change;
    change.rate = rate;
    change.applyToEngine = mediaActive;
    if (mediaActive)
        change.rateText = SpeedSteps::rateText(rate, locale);
    return change;
}

} // namespace

std::optional<SpeedSteps::Change> SpeedSteps::increase(double rate, bool mediaActive,
                                                       const QLocale& locale)
{
    if (!(rate < Fastest))
        return std::nullopt;
    Change change = changeTo(rounded(rate * 2.0), mediaActive, locale);
    if (mediaActive) {
        change.decreaseEnabled = true;
        if (change.rate >= Fastest)
            change.increaseEnabled = false;
    }
    return change;
}

std::optional<SpeedSteps::Change> SpeedSteps::decrease(double rate, bool mediaActive,
                                                       const QLocale& locale)
{
    if (!(rate > Slowest))
        return std::nullopt;
    Change change = changeTo(rounded(rate / 2.0), mediaActive, locale);
    if (mediaActive) {
        change.increaseEnabled = true;
        if (change.rate <= Slowest)
            change.decreaseEnabled = false;
    }
    return change;
}

std::optional<SpeedSteps::Change> SpeedSteps::reset(bool mediaActive, const QLocale& locale)
{
    if (!mediaActive)
        return std::nullopt;
    Change change = changeTo(Normal, true, locale);
    change.increaseEnabled = true;
    change.decreaseEnabled = true;
    return change;
}

double SpeedSteps::rounded(double rate)
{
    if (rate > 1.0)
        return std::trunc(rate);
    return static_cast<double>(korvane::roundHalfEven(rate * 1000.0)) / 1000.0;
}

QString SpeedSteps::rateText(double rate, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return QStringLiteral("Playing rate:") +
           plain.toString(rate, 'g', QLocale::FloatingPointShortest) + QLatin1Char('x');
}

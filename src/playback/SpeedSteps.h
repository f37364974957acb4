#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// The speed commands: doubling and halving the playback rate between 0.125 and 16.
class SpeedSteps
{
public:
    static constexpr double Fastest = 16.0;
    static constexpr double Slowest = 0.125;
    static constexpr double Normal = 1.0;

    // What a speed command changes. The rate is always kept; the engine, the rate text and the
    // menu items follow only while an item is playing. An empty menu state leaves the item as
    // it is.
    struct Change
    {
        double rate = Normal;
        bool applyToEngine = false;
        QString rateText;
        std::optional<bool> increaseEnabled;
        std::optional<bool> decreaseEnabled;
        bool operator==(const Change&) const = default;
    };

    // None when the rate is already at its limit (or, for reset, when nothing is playing).
    static std::optional<Change> increase(double rate, bool mediaActive,
                                          const QLocale& locale = QLocale());
    static std::optional<Change> decrease(double rate, bool mediaActive,
                                          const QLocale& locale = QLocale());
    static std::optional<Change> reset(bool mediaActive, const QLocale& locale = QLocale());

    // Above 1 the whole part, otherwise three decimals (halves to even).
    static double rounded(double rate);
    // "Playing rate:" + the rate as the locale writes a number + "x".
    static QString rateText(double rate, const QLocale& locale = QLocale());
};

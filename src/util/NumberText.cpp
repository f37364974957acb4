#include "util/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace korvane {

namespace {

// Significant digits (no leading or trailing zeros) and the decimal exponent of the first one.
struct Digits
{
    std::string digits;
    int exponent = 0;
};

Digits scientificDigits(const char* first, const char* last)
{
    // Shape: d[.ddd]e[+-]xx
    Digits out;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') {
            out.digits.push_back(*p);
        }
    }
    if (p != last) {
        out.exponent = std::atoi(std::string(p + 1, last).c_str());
    }
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    return out;
}

} // namespace

QString singleText(float value, const QLocale& locale)
{
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    }
    if (value == 0.0f) {
        return QStringLiteral("0");
    }

    const bool negative = value < 0;
    const float magnitude = std::fabs(value);
    char buffer[64];

    // The shortest round-trip text of the single; when that needs more than seven digits, the
    // value rounded to seven.
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    Digits d = scientificDigits(buffer, result.ptr);
    if (d.digits.size() > 7) {
        result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(magnitude),
                               std::chars_format::scientific, 6);
        d = scientificDigits(buffer, result.ptr);
    }

    const QString point = locale.decimalPoint();
    QString text = negative ? QStringLiteral("-") : QString();
    const QString digits = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size()));
    const int count = int(digits.size());

    if (d.exponent < -5 || d.exponent >= 7) {
        text += digits.left(1);
        if (count > 1) {
            text += point + digits.mid(1);
        }
        text += d.exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        text += QString::number(std::abs(d.exponent)).rightJustified(2, QLatin1Char('0'));
        return text;
    }
    if (d.exponent < 0) {
        text += QStringLiteral("0") + point + QString(-d.exponent - 1, QLatin1Char('0')) + digits;
        return text;
    }
    const int wholeDigits = d.exponent + 1;
    if (count <= wholeDigits) {
        text += digits + QString(wholeDigits - count, QLatin1Char('0'));
    } else {
        text += digits.left(wholeDigits) + point + digits.mid(wholeDigits);
    }
    return text;
}

} // namespace korvane

#pragma once

#include <QLocale>
#include <QString>

namespace korvane {

// A single-precision value as the user reads it: the shortest text that gives the value back,
// at most seven significant digits, no trailing zeros, and the locale's decimal separator.
// Values below 1E-05 or from 1E+07 up use an exponent ("1E-07", "1.234568E+07").
QString singleText(float value, const QLocale& locale = QLocale());

} // namespace korvane

#include "util/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using korvane::singleText;

namespace {
const QLocale kC = QLocale::c();
const QLocale kGerman(QLocale::German, QLocale::Germany);
} // namespace

TEST(NumberText, ShortestTextThatGivesTheSingleBack)
{
    EXPECT_EQ(singleText(25.0f, kC), "25");
    EXPECT_EQ(singleText(29.97f, kC), "29.97");
    EXPECT_EQ(singleText(0.1f, kC), "0.1");
    EXPECT_EQ(singleText(0.3f, kC), "0.3");
    EXPECT_EQ(singleText(10.5f, kC), "10.5");
    EXPECT_EQ(singleText(83.4f, kC), "83.4");
    EXPECT_EQ(singleText(0.05f, kC), "0.05");
    EXPECT_EQ(singleText(123.456f, kC), "123.456");
    EXPECT_EQ(singleText(100.0f, kC), "100");
    EXPECT_EQ(singleText(-2.5f, kC), "-2.5");
}

TEST(NumberText, AtMostSevenSignificantDigits)
{
    // 4/3 needs eight digits to come back exactly; seven is the limit.
    EXPECT_EQ(singleText(4.0f / 3.0f, kC), "1.333333");
    EXPECT_EQ(singleText(2.0f / 3.0f, kC), "0.6666667");
    EXPECT_EQ(singleText(1234567.0f, kC), "1234567");
    EXPECT_EQ(singleText(9999999.0f, kC), "9999999");
    EXPECT_EQ(singleText(1.23456789f, kC), "1.234568");
}

TEST(NumberText, ExponentOnlyForVerySmallOrLargeValues)
{
    EXPECT_EQ(singleText(1e-7f, kC), "1E-07");
    EXPECT_EQ(singleText(0.000001f, kC), "1E-06");
    EXPECT_EQ(singleText(0.00001f, kC), "0.00001");
    EXPECT_EQ(singleText(10000000.0f, kC), "1E+07");
    EXPECT_EQ(singleText(12345678.0f, kC), "1.234568E+07");
    EXPECT_EQ(singleText(16777216.0f, kC), "1.677722E+07");
    EXPECT_EQ(singleText(1e20f, kC), "1E+20");
    EXPECT_EQ(singleText(std::numeric_limits<float>::max(), kC), "3.402823E+38");
    EXPECT_EQ(singleText(-1.5e-10f, kC), "-1.5E-10");
}

TEST(NumberText, EightDigitValuesRoundAtSeven)
{
    // Rounded at seven digits, not truncated and not pushed up to the round value.
    EXPECT_EQ(singleText(std::nextafter(1.0f, 0.0f), kC), "0.9999999");
    EXPECT_EQ(singleText(std::nextafter(10.0f, 0.0f), kC), "9.999999");
    EXPECT_EQ(singleText(std::nextafter(25.0f, 30.0f), kC), "25");
}

TEST(NumberText, ZeroAndNonFiniteValues)
{
    EXPECT_EQ(singleText(0.0f, kC), "0");
    EXPECT_EQ(singleText(-0.0f, kC), "0");
    EXPECT_EQ(singleText(std::nanf(""), kC), "NaN");
    EXPECT_EQ(singleText(std::numeric_limits<float>::infinity(), kC), "Infinity");
    EXPECT_EQ(singleText(-std::numeric_limits<float>::infinity(), kC), "-Infinity");
}

TEST(NumberText, UsesTheLocaleDecimalSeparator)
{
    EXPECT_EQ(singleText(29.97f, kGerman), "29,97");
    EXPECT_EQ(singleText(0.05f, kGerman), "0,05");
    EXPECT_EQ(singleText(1234567.0f, kGerman), "1234567"); // never a group separator
    EXPECT_EQ(singleText(12345678.0f, kGerman), "1,234568E+07");
    EXPECT_EQ(singleText(25.0f, kGerman), "25");
}

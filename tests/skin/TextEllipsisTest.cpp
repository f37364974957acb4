#include "skin/TextEllipsis.h"

#include "QtPrinters.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

TEST(TextEllipsis, ShortTextStays)
{
    const QFontMetrics metrics{QFont()};
    EXPECT_EQ(fitTextWithEllipsis("Korvane", metrics, 400), "Korvane");
}

TEST(TextEllipsis, LongTextEndsInThreeDotsWithinNinetySixPercent)
{
    const QFontMetrics metrics{QFont()};
    const QString text = "Korvane - (/home/someone/Videos/a rather long folder name/clip.mkv)";
    const QString fitted = fitTextWithEllipsis(text, metrics, 200);
    ASSERT_TRUE(fitted.endsWith("..."));
    EXPECT_TRUE(text.startsWith(fitted.chopped(3)));
    EXPECT_LE(metrics.horizontalAdvance(fitted), 192);
    // One more character would not have fitted.
    const QString longer = text.left(fitted.size() - 3 + 1) + "...";
    EXPECT_GT(metrics.horizontalAdvance(longer), 192);
}

TEST(TextEllipsis, NoRoomLeavesOnlyDots)
{
    const QFontMetrics metrics{QFont()};
    EXPECT_EQ(elideWithDots("abc", metrics, 0), "...");
    EXPECT_EQ(elideWithDots("", metrics, 0), "");
}

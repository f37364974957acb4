#include "ui/TextEllipsis.h"

#include "QtPrinters.h"

#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

TEST(TextEllipsis, ShortTextStaysAndLeavesToolTipAlone)
{
    QLabel label;
    label.resize(400, 20);
    label.setToolTip("earlier");
    EXPECT_EQ(FitTextWithEllipsis(&label, "Korvane"), "Korvane");
    EXPECT_EQ(label.toolTip(), "earlier");
}

TEST(TextEllipsis, LongTextEndsInThreeDotsWithinNinetySixPercent)
{
    QLabel label;
    label.resize(200, 20);
    const QString text = "Korvane - (/home/someone/Videos/a rather long folder name/clip.mkv)";
    const QString fitted = FitTextWithEllipsis(&label, text);
    ASSERT_TRUE(fitted.endsWith("..."));
    EXPECT_TRUE(text.startsWith(fitted.chopped(3)));
    EXPECT_LE(label.fontMetrics().horizontalAdvance(fitted), 192);
    EXPECT_EQ(label.toolTip(), text);
    // One more character would not have fitted.
    const QString longer = text.left(fitted.size() - 3 + 1) + "...";
    EXPECT_GT(label.fontMetrics().horizontalAdvance(longer), 192);
}

TEST(TextEllipsis, NoRoomLeavesOnlyDots)
{
    const QFontMetrics metrics{QFont()};
    EXPECT_EQ(elideWithDots("abc", metrics, 0), "...");
    EXPECT_EQ(elideWithDots("", metrics, 0), "");
}

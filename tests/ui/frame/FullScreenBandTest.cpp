#include "ui/frame/FullScreenBand.h"

#include <QCursor>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool pointerBlank()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::BlankCursor;
}

TEST(FullScreenBandTest, MovementShowsTheBandAndStillnessHidesItWithThePointer)
{
    FullScreenBand band;
    band.setStillInterval(30);
    QSignalSpy shown(&band, &FullScreenBand::shownChanged);

    band.pointerMoved({10, 10});
    EXPECT_FALSE(band.isShown()) << "outside full screen nothing shows";
    EXPECT_FALSE(band.isTimerRunning());

    band.setActive(true);
    const QPoint here = QCursor::pos();
    band.pointerMoved(here);
    EXPECT_FALSE(band.isShown()) << "where the pointer already stood is no movement";
    band.pointerMoved(here + QPoint(5, 0));
    EXPECT_TRUE(band.isShown());
    EXPECT_FALSE(pointerBlank());
    EXPECT_TRUE(band.isTimerRunning());

    EXPECT_TRUE(QTest::qWaitFor([&] { return !band.isShown(); }, 5000));
    EXPECT_TRUE(band.isPointerHidden());
    EXPECT_TRUE(pointerBlank());
    EXPECT_FALSE(band.isTimerRunning()) << "nothing runs while the pointer stands still";

    band.pointerMoved(here + QPoint(6, 0));
    EXPECT_TRUE(band.isShown());
    EXPECT_FALSE(pointerBlank()) << "a movement brings the pointer back";
    EXPECT_EQ(shown.size(), 3);

    band.setActive(false);
    EXPECT_FALSE(band.isShown());
    EXPECT_FALSE(band.isTimerRunning());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(FullScreenBandTest, LeavingFullScreenWithAHiddenPointerGivesItBack)
{
    {
        FullScreenBand band;
        band.setStillInterval(10);
        band.setActive(true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return band.isPointerHidden(); }, 5000))
            << "still from the start: the pointer goes too";
        band.setActive(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        band.setActive(true);
        EXPECT_TRUE(QTest::qWaitFor([&] { return band.isPointerHidden(); }, 5000));
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr)
        << "nor does the band keep it when it goes";
}

} // namespace

#include "ui/frame/ProgressBar.h"
#include "ui/frame/VolumeSlider.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(ProgressBar, ClickSeeksToItsShareOfTheBar)
{
    ProgressBar bar;
    bar.resize(200, 8);
    QSignalSpy seeks(&bar, &ProgressBar::seekRequested);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(50, 4));
    ASSERT_EQ(seeks.size(), 1);
    EXPECT_DOUBLE_EQ(seeks.last().at(0).toDouble(), 0.25);
    EXPECT_EQ(bar.fillWidth(), 50);
}

TEST(ProgressBar, LastTwoPixelsAndOtherButtonsDoNothing)
{
    ProgressBar bar;
    bar.resize(200, 8);
    QSignalSpy seeks(&bar, &ProgressBar::seekRequested);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(198, 4));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(199, 4));
    QTest::mouseClick(&bar, Qt::RightButton, {}, QPoint(100, 4));
    EXPECT_EQ(seeks.size(), 0);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(197, 4));
    EXPECT_EQ(seeks.size(), 1);
}

TEST(ProgressBar, FillFollowsProgressAndSize)
{
    ProgressBar bar;
    bar.resize(200, 8);
    bar.setProgress(50);
    EXPECT_EQ(bar.fillWidth(), 100);
    bar.resize(400, 8);
    QResizeEvent resize(QSize(400, 8), QSize(200, 8));
    QCoreApplication::sendEvent(&bar, &resize);
    EXPECT_EQ(bar.fillWidth(), 200);
}

TEST(VolumeSlider, PressSetsVolumeFromPointerPlace)
{
    VolumeSlider slider;
    slider.resize(110, 14); // 100 pixels of travel
    QSignalSpy changes(&slider, &VolumeSlider::volumeChanged);
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(53, 7));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes.last().at(0).toInt(), 50);
    EXPECT_EQ(slider.knobLeft(), 50);
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(103, 7));
    EXPECT_EQ(slider.value(), 100);
}

TEST(VolumeSlider, AValueSetBeforeTheSliderHasItsWidthPlacesTheKnobOnceSized)
{
    VolumeSlider slider;
    slider.resize(0, 14);
    QSignalSpy changes(&slider, &VolumeSlider::volumeChanged);
    slider.setValue(40);
    slider.resize(110, 14);
    EXPECT_EQ(slider.knobLeft(), 40);
    slider.setValue(250);
    EXPECT_EQ(slider.value(), 100);
    EXPECT_EQ(slider.knobLeft(), 100);
    EXPECT_EQ(changes.size(), 0) << "a value set from outside is not reported back";
}

TEST(VolumeSlider, LeftOfMarginOrBeyondTheEndChangesNothing)
{
    VolumeSlider slider;
    slider.resize(110, 14);
    QSignalSpy changes(&slider, &VolumeSlider::volumeChanged);
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(2, 7));
    QTest::mouseClick(&slider, Qt::LeftButton, {}, QPoint(105, 7));
    EXPECT_EQ(changes.size(), 0);
    EXPECT_EQ(slider.value(), 100);
}

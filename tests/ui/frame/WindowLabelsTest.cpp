#include "ui/frame/WindowLabels.h"

#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class WindowLabelsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_window.resize(400, 515);
        m_window.show();
        m_labels.place(400, 515);
        m_labels.setTime(QStringLiteral("00:01:02 / 00:10:00"), 400, 515);
    }
    bool rateShown() const { return m_labels.rateLabel()->isVisible(); }
    QString rateText() const { return m_labels.rateLabel()->text(); }

    QWidget m_window;
    WindowLabels m_labels{&m_window};
};

} // namespace

TEST_F(WindowLabelsTest, ASpeedStepOutlivesTheMonitorsNextTickAndThenGoes)
{
    m_labels.showSpeed(QStringLiteral("Playing rate:16x"));
    // The monitor hides the loading text on every tick while the item plays.
    m_labels.setRate(QString(), false);
    EXPECT_TRUE(rateShown());
    EXPECT_EQ(rateText(), QStringLiteral("Playing rate:16x"));
    QTRY_VERIFY_WITH_TIMEOUT(!rateShown(), WindowLabels::kSpeedShownMs + 5000);
}

TEST_F(WindowLabelsTest, LoadingTakesTheReadoutAndTheSpeedComesBack)
{
    m_labels.showSpeed(QStringLiteral("Playing rate:2x"));
    m_labels.setRate(QStringLiteral("Loading..."), true);
    EXPECT_EQ(rateText(), QStringLiteral("Loading..."));
    m_labels.setRate(QString(), false);
    EXPECT_TRUE(rateShown());
    EXPECT_EQ(rateText(), QStringLiteral("Playing rate:2x"));
}

TEST_F(WindowLabelsTest, TheReadoutAndTheTimeNeverOverlapAtAnyWidth)
{
    for (const int width : {260, 300, 400, 520, 800}) {
        m_window.resize(width, 515);
        m_labels.place(width, 515);
        m_labels.setTime(QStringLiteral("01:02:03 / 10:00:00"), width, 515);
        m_labels.showSpeed(QStringLiteral("Playing rate:0.125x"));
        const QRect rate = m_labels.rateLabel()->geometry();
        const QRect time = m_labels.timeLabel()->geometry();
        EXPECT_FALSE(rate.intersects(time)) << width << " rate " << rate.x() << "," << rate.y()
                                            << " time " << time.x() << "," << time.y();
        EXPECT_GE(rate.left(), 0) << width;
    }
}

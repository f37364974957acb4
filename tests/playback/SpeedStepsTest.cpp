#include "playback/SpeedSteps.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

} // namespace

TEST(SpeedSteps, IncreaseFromOneUpToSixteenThenDisabled)
{
    double rate = 1.0;
    std::vector<double> rates;
    std::optional<SpeedSteps::Change> last;
    while (auto change = SpeedSteps::increase(rate, true, English)) {
        rate = change->rate;
        rates.push_back(rate);
        EXPECT_EQ(change->decreaseEnabled, true);
        EXPECT_TRUE(change->applyToEngine);
        last = change;
    }
    EXPECT_EQ(rates, (std::vector<double>{2, 4, 8, 16}));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->increaseEnabled, false);
    EXPECT_EQ(last->rateText, "Playing rate:16x");
    EXPECT_EQ(SpeedSteps::increase(4, true, English)->increaseEnabled, std::nullopt);
}

TEST(SpeedSteps, DecreaseFromOneDownToAnEighthThenDisabled)
{
    double rate = 1.0;
    std::vector<double> rates;
    std::optional<SpeedSteps::Change> last;
    while (auto change = SpeedSteps::decrease(rate, true, English)) {
        rate = change->rate;
        rates.push_back(rate);
        EXPECT_EQ(change->increaseEnabled, true);
        last = change;
    }
    EXPECT_EQ(rates, (std::vector<double>{0.5, 0.25, 0.125}));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->decreaseEnabled, false);
    EXPECT_EQ(last->rateText, "Playing rate:0.125x");
    // And back up from the slowest.
    EXPECT_EQ(SpeedSteps::increase(0.125, true, English)->rate, 0.25);
}

TEST(SpeedSteps, WithoutAPlayingItemOnlyTheRateMoves)
{
    const auto change = SpeedSteps::increase(1.0, false, English);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->rate, 2.0);
    EXPECT_FALSE(change->applyToEngine);
    EXPECT_TRUE(change->rateText.isEmpty());
    EXPECT_FALSE(change->increaseEnabled);
    EXPECT_FALSE(change->decreaseEnabled);
    EXPECT_EQ(SpeedSteps::reset(false, English), std::nullopt);
}

TEST(SpeedSteps, ResetEnablesBoth)
{
    const auto change = SpeedSteps::reset(true, English);
    ASSERT_TRUE(change);
    EXPECT_EQ(change->rate, 1.0);
    EXPECT_TRUE(change->applyToEngine);
    EXPECT_EQ(change->rateText, "Playing rate:1x");
    EXPECT_EQ(change->increaseEnabled, true);
    EXPECT_EQ(change->decreaseEnabled, true);
}

TEST(SpeedSteps, RoundingWholeAboveOneThreeDecimalsBelow)
{
    EXPECT_EQ(SpeedSteps::rounded(2.9), 2.0);
    EXPECT_EQ(SpeedSteps::rounded(1.5), 1.0);
    EXPECT_EQ(SpeedSteps::rounded(1.0), 1.0);
    EXPECT_EQ(SpeedSteps::rounded(0.0625), 0.062); // half to even
    EXPECT_EQ(SpeedSteps::rounded(0.3333), 0.333);
    // A rate off the steps (fast forward never writes it, but still) lands back on whole rates.
    EXPECT_EQ(SpeedSteps::increase(3.0, true, English)->rate, 6.0);
    EXPECT_EQ(SpeedSteps::increase(15.0, true, English)->rate, 30.0);
    EXPECT_EQ(SpeedSteps::increase(16.0, true, English), std::nullopt);
    EXPECT_EQ(SpeedSteps::decrease(0.125, true, English), std::nullopt);
}

TEST(SpeedSteps, RateTextUsesTheLocaleDecimalSeparator)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(SpeedSteps::rateText(0.125, german), "Playing rate:0,125x");
    EXPECT_EQ(SpeedSteps::rateText(2.0, English), "Playing rate:2x");
    EXPECT_EQ(SpeedSteps::decrease(1.0, true, german)->rateText, "Playing rate:0,5x");
}

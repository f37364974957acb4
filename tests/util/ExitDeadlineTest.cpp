#include "util/ExitDeadline.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using korvane::ExitDeadline;
using namespace std::chrono_literals;

namespace {

bool waitFor(const std::atomic<bool>& flag)
{
    for (int i = 0; i < 2000 && !flag; ++i) {
        std::this_thread::sleep_for(5ms);
    }
    return flag;
}

} // namespace

TEST(ExitDeadlineTest, StepsThatOutliveTheLimitEndThroughTheExpiry)
{
    std::atomic<bool> expired = false;
    ExitDeadline deadline(20ms, [&] { expired = true; });
    EXPECT_TRUE(waitFor(expired));
}

TEST(ExitDeadlineTest, DisarmedOrDestroyedBeforeTheLimitNeverExpires)
{
    std::atomic<int> expiries = 0;
    {
        ExitDeadline deadline(1h, [&] { ++expiries; });
        deadline.disarm();
    }
    {
        // Destroying an armed deadline must not wait out its hour either.
        ExitDeadline deadline(1h, [&] { ++expiries; });
    }
    EXPECT_EQ(expiries, 0);
}

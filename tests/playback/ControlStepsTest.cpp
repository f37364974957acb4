#include "playback/ControlSteps.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(ControlStepsTest, SeeksStayInsideTheItem)
{
    const struct
    {
        const char* name;
        double time;
        double length;
        double step;
        std::optional<double> expected;
    } cases[] = {
        {"forward in the middle", 10000, 60000, 5000, 15000.0},
        {"back in the middle", 10000, 60000, -5000, 5000.0},
        {"back near the start stops at 0", 3000, 60000, -5000, 0.0},
        {"forward near the end stops at the end", 58000, 60000, 5000, 60000.0},
        {"a time reported past the end comes back to it", 61000, 60000, 5000, 60000.0},
        {"an unknown time counts from the start", nan, 60000, 5000, 5000.0},
        {"no length: no seek", 10000, 0, 5000, std::nullopt},
        {"a length that is no number: no seek", 10000, nan, 5000, std::nullopt},
        {"a step that is no number: no seek", 10000, 60000, nan, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ControlSteps::seekTarget(c.time, c.length, c.step), c.expected) << c.name;
    }
}

TEST(ControlStepsTest, VolumeStepsStayOnTheSlidersScale)
{
    const struct
    {
        int volume;
        int steps;
        int expected;
    } cases[] = {
        {50, 1, 55},
        {50, -1, 45},
        {98, 1, 100},
        {100, 1, 100},
        {3, -1, 0},
        {0, -1, 0},
        {0, 3, 15},
        {100, -3, 85},
        {150, 0, 100},
        {-20, 0, 0},
        {50, 1000000000, 100},
        {50, -1000000000, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ControlSteps::volumeAfter(c.volume, c.steps), c.expected)
            << c.volume << " by " << c.steps << " steps";
    }
}

TEST(ControlStepsTest, WheelTurnsBecomeWholeNotches)
{
    // One sequence each: the deltas in order, the notches each gives.
    const struct
    {
        const char* name;
        std::vector<int> deltas;
        std::vector<int> notches;
    } cases[] = {
        {"a mouse wheel, one notch at a time", {120, 120, -120}, {1, 1, -1}},
        {"two notches at once", {240}, {2}},
        {"a touchpad's small steps add up", {40, 40, 40, 40}, {0, 0, 1, 0}},
        {"turning back cancels what was pending", {60, -60, -60, -60}, {0, 0, 0, -1}},
        {"a sideways turn is nothing", {0}, {0}},
    };
    for (const auto& c : cases) {
        int pending = 0;
        std::vector<int> got;
        for (int delta : c.deltas) {
            got.push_back(ControlSteps::notches(delta, pending));
        }
        EXPECT_EQ(got, c.notches) << c.name;
    }
}

TEST(ControlStepsTest, SnapshotNamesNeverReuseANumber)
{
    const struct
    {
        const char* name;
        QStringList existing;
        const char* prefix;
        const char* extension;
        const char* expected;
    } cases[] = {
        {"an empty folder", {}, "IMG_", "jpg", "IMG_0001.jpg"},
        {"after the highest",
         {"IMG_0001.jpg", "IMG_0007.jpg", "IMG_0003.jpg"},
         "IMG_",
         "jpg",
         "IMG_0008.jpg"},
        {"the other format's numbers do not count",
         {"IMG_0004.png"},
         "IMG_",
         "jpg",
         "IMG_0001.jpg"},
        {"a name with more after the number does not count",
         {"IMG_0005 copy.jpg"},
         "IMG_",
         "jpg",
         "IMG_0001.jpg"},
        {"signs and spaces are no number",
         {"IMG_+9.jpg", "IMG_-3.jpg", "IMG_ 6.jpg"},
         "IMG_",
         "jpg",
         "IMG_0001.jpg"},
        {"more than four digits", {"IMG_12345.png"}, "IMG_", "png", "IMG_12346.png"},
        {"an upper-case extension counts", {"IMG_0002.JPG"}, "IMG_", "jpg", "IMG_0003.jpg"},
        {"an empty prefix", {"0002.png", "notes.png"}, "", "png", "0003.png"},
        {"a number too long for any integer",
         {"IMG_99999999999999999999999.png"},
         "IMG_",
         "png",
         "IMG_0001.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ControlSteps::nextSnapshotName(c.existing, QString::fromUtf8(c.prefix),
                                                 QString::fromUtf8(c.extension)),
                  QString::fromUtf8(c.expected))
            << c.name;
    }
}

} // namespace

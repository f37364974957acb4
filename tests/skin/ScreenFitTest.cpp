#include "skin/ScreenFit.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>

inline void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.x() << "," << rect.y() << " " << rect.width() << "x" << rect.height();
}

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

const QRect kPrimary(0, 0, 1920, 1050);  // a panel below
const QRect kRight(1920, 0, 1280, 1024); // a smaller second monitor

struct FitCase
{
    const char* name;
    QPoint topLeft;
    QSize size;
    QList<QRect> available;
    QRect fitted;
};

const FitCase kFits[] = {
    {"FittingWindowStays", {100, 50}, {388, 515}, {kPrimary, kRight}, {100, 50, 388, 515}},
    {"OnTheSecondMonitorStaysThere",
     {2000, 10},
     {600, 400},
     {kPrimary, kRight},
     {2000, 10, 600, 400}},
    // 2147483647 twips at 15 twips a pixel.
    {"DamagedHugeSizeCutToTheScreen", {0, 0}, {143165576, 143165576}, {kPrimary}, kPrimary},
    // 491505 twips.
    {"BigMonitorSizeCutToTheSmallerOne", {1920, 0}, {32767, 32767}, {kPrimary, kRight}, kRight},
    {"LargestIntSize", {10, 10}, {kMax, kMax}, {kPrimary}, kPrimary},
    {"OffEveryScreenComesToThePrimary",
     {-5000, 37},
     {600, 400},
     {kPrimary, kRight},
     {0, 37, 600, 400}},
    {"FarPastTheEndsOfInt", {kMin, kMax - 5}, {600, 400}, {kPrimary}, {0, 650, 600, 400}},
    {"HangingOverTheRightEdgeMovesIn", {1800, 900}, {600, 400}, {kPrimary}, {1320, 650, 600, 400}},
    {"EmptyOrNegativeSizeBecomesOnePixel", {5, 5}, {-20, 0}, {kPrimary}, {5, 5, 1, 1}},
    {"AreaNotAtTheOrigin", {0, 0}, {5000, 50}, {{100, 30, 800, 600}}, {100, 30, 800, 50}},
    {"NoScreensKnownLimitsToWhatXTakes", {-5000, 37}, {600, 40000}, {}, {0, 0, 600, 32767}},
    {"EmptyAreasAreNoScreens", {-5000, 37}, {600, 400}, {QRect(), kRight}, {1920, 37, 600, 400}},
};

class ScreenFitCase : public testing::TestWithParam<FitCase>
{};

} // namespace

TEST_P(ScreenFitCase, KeepsTheWindowOnAScreen)
{
    EXPECT_EQ(ScreenFit::fit(GetParam().topLeft, GetParam().size, GetParam().available),
              GetParam().fitted);
}

INSTANTIATE_TEST_SUITE_P(Fits, ScreenFitCase, testing::ValuesIn(kFits),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

#include "playlist/EntryTooltip.h"

#include <gtest/gtest.h>

namespace {

struct DurationCase
{
    const char* name;
    const char* info;
    std::optional<double> seconds;
};

class EntryTooltipDuration : public ::testing::TestWithParam<DurationCase>
{};

struct TextCase
{
    const char* name;
    double seconds;
    const char* text;
};

class EntryTooltipDurationText : public ::testing::TestWithParam<TextCase>
{};

struct SizeCase
{
    const char* name;
    qint64 bytes;
    const char* text;
};

class EntryTooltipSize : public ::testing::TestWithParam<SizeCase>
{};

} // namespace

TEST_P(EntryTooltipDuration, ReadsTheDescriptionsDurationLine)
{
    const DurationCase& c = GetParam();
    EXPECT_EQ(EntryTooltip::durationSeconds(QString::fromUtf8(c.info)), c.seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryTooltipDuration,
    ::testing::Values(
        DurationCase{"whole", "Stream information of a.mkv\r\nDuration  : 30\r\nStarttime : 0",
                     30.0},
        DurationCase{"decimalPoint", "Duration  : 5025.24\r\n", 5025.24},
        DurationCase{"decimalComma", "Stream information of a.mkv\r\nDuration  : 12,5", 12.5},
        DurationCase{"exponent", "Duration  : 1.234568E+07", 12345680.0},
        DurationCase{"zero", "Duration  : 0\r\nStarttime : 0", std::nullopt},
        DurationCase{"negative", "Duration  : -3", std::nullopt},
        DurationCase{"unreadable", "Duration  : N/A", std::nullopt},
        DurationCase{"noColon", "Duration 30", std::nullopt},
        DurationCase{"noLine", "Stream information of a.mkv\r\nStarttime : 4", std::nullopt},
        DurationCase{"empty", "", std::nullopt}),
    [](const ::testing::TestParamInfo<DurationCase>& param) { return param.param.name; });

TEST_P(EntryTooltipDurationText, ShowsHoursOnlyWhenThereAreSome)
{
    const TextCase& c = GetParam();
    EXPECT_EQ(EntryTooltip::durationText(c.seconds), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryTooltipDurationText,
    ::testing::Values(TextCase{"underAMinute", 30.9, "0:30"}, TextCase{"minutes", 605, "10:05"},
                      TextCase{"justUnderAnHour", 3599.99, "59:59"},
                      TextCase{"anHour", 3600, "1:00:00"}, TextCase{"long", 5025.24, "1:23:45"},
                      TextCase{"dayLong", 90061, "25:01:01"}, TextCase{"nothing", 0, "0:00"},
                      TextCase{"notANumber", std::numeric_limits<double>::quiet_NaN(), "0:00"}),
    [](const ::testing::TestParamInfo<TextCase>& param) { return param.param.name; });

TEST_P(EntryTooltipSize, UsesTheLargestUnitBelow1024)
{
    const SizeCase& c = GetParam();
    EXPECT_EQ(EntryTooltip::sizeText(c.bytes), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryTooltipSize,
    ::testing::Values(SizeCase{"empty", 0, "0 bytes"}, SizeCase{"bytes", 1023, "1023 bytes"},
                      SizeCase{"kilobyte", 1024, "1.0 KB"}, SizeCase{"kilobytes", 1536, "1.5 KB"},
                      // Rounded to one decimal it would read 1024.0 KB: the next unit instead.
                      SizeCase{"almostAMegabyte", 1024 * 1024 - 1, "1.0 MB"},
                      SizeCase{"megabytes", 12897485, "12.3 MB"},
                      SizeCase{"gigabytes", 2147483648LL, "2.0 GB"},
                      SizeCase{"huge", std::numeric_limits<qint64>::max(), "8192.0 PB"}),
    [](const ::testing::TestParamInfo<SizeCase>& param) { return param.param.name; });

TEST(EntryTooltip, NamesTheWholeFileThenDurationAndSize)
{
    const PlaylistEntry entry{"History title",
                              {},
                              "/media/films/A rather long film name.mkv",
                              "Stream information of x\r\nDuration  : 5025.24\r\nStarttime : 0"};
    EXPECT_EQ(EntryTooltip::text(entry, 1536),
              "A rather long film name.mkv\nDuration: 1:23:45\nSize: 1.5 KB");
    // The file is gone and the description names no duration: the name alone.
    const PlaylistEntry bare{"b.mkv", {}, "/m/b.mkv", "Stream information of b.mkv"};
    EXPECT_EQ(EntryTooltip::text(bare, -1), "b.mkv");
}

#include "SettingsTestSupport.h"

#include <gtest/gtest.h>
#include <random>

using namespace settingstest;

namespace {

// Whatever parse accepts must survive being written and read again unchanged.
void checkStable(const QByteArray& input)
{
    const auto first = ConfigFile::parse(input);
    if (!first) {
        return;
    }
    const auto second = ConfigFile::parse(ConfigFile::format(*first));
    ASSERT_TRUE(second.has_value()) << input.toStdString();
    EXPECT_EQ(*second, *first) << input.toStdString();
}

} // namespace

TEST(ConfigFileFuzz, RandomBytesNeverCrashTheReader)
{
    std::mt19937 rng(20240607);
    // Bytes the reader cares about come up often; the rest are anything.
    const QByteArray interesting(" ,\"\r\n-+0123456789\xc3\xa9\xff", 20);
    for (int i = 0; i < 3000; ++i) {
        const int length = std::uniform_int_distribution<int>(0, 400)(rng);
        QByteArray input;
        for (int k = 0; k < length; ++k) {
            if (rng() % 2) {
                input += interesting[static_cast<qsizetype>(rng() % interesting.size())];
            } else {
                input += static_cast<char>(rng() % 256);
            }
        }
        checkStable(input);
    }
}

TEST(ConfigFileFuzz, MutatedValidFilesNeverCrashTheReader)
{
    std::mt19937 rng(7);
    const QByteArray seeds[] = {defaultFileBytes(), unquotedValuesFile()};
    const QByteArray inserts[] = {"\"", ",", "\r", "\n", " ", "-", "9", "\"\"", "\xe2\x82"};
    int accepted = 0;
    for (int i = 0; i < 3000; ++i) {
        QByteArray input = seeds[i % 2];
        const int edits = 1 + static_cast<int>(rng() % 6);
        for (int e = 0; e < edits && !input.isEmpty(); ++e) {
            const auto at = static_cast<qsizetype>(rng() % input.size());
            switch (rng() % 4) {
            case 0:
                input.remove(at, 1 + static_cast<qsizetype>(rng() % 8));
                break;
            case 1:
                input.insert(at, inserts[rng() % std::size(inserts)]);
                break;
            case 2:
                input[at] = static_cast<char>(rng() % 256);
                break;
            default:
                input.truncate(at);
                break;
            }
        }
        accepted += ConfigFile::parse(input).has_value() ? 1 : 0;
        checkStable(input);
    }
    // Many small edits leave a readable file; if none do, the mutations test nothing.
    EXPECT_GT(accepted, 100);
}

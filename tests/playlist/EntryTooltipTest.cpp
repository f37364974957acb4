#include "playlist/EntryTooltip.h"

#include <gtest/gtest.h>

TEST(EntryTooltip, NamesTheWholeFileThenDurationAndSize)
{
    const auto info = [](const char* duration) {
        return QString("Stream information of x\r\nDuration  : %1\r\nStarttime : 0").arg(duration);
    };
    const std::tuple<QString, qint64, const char*> cases[] = {
        {info("30.9"), 1023, "\nDuration: 0:30\nSize: 1023 bytes"},
        {info("5025,24"), 1536, "\nDuration: 1:23:45\nSize: 1.5 KB"}, // a decimal comma
        {info("3600"), 1024 * 1024 - 1, "\nDuration: 1:00:00\nSize: 1.0 MB"},
        {info("0"), 12897485, "\nSize: 12.3 MB"},
        {info("N/A"), std::numeric_limits<qint64>::max(), "\nSize: 8192.0 PB"},
        {"Stream information of x", -1, ""}, // no duration line, and the file is gone
    };
    for (const auto& [mediaInfo, size, expected] : cases) {
        const PlaylistEntry entry{"History title", {}, "/films/A rather long name.mkv", mediaInfo};
        EXPECT_EQ(EntryTooltip::text(entry, size), "A rather long name.mkv" + QString(expected))
            << mediaInfo.toStdString();
    }
}

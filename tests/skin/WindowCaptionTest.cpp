#include "skin/WindowCaption.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(WindowCaption, NamesThePlayingEntryAsTheModeAsks)
{
    const struct
    {
        std::optional<TitleBarMode> mode;
        const char* path;
        std::optional<QString> caption;
    } cases[] = {
        {TitleBarMode::FileName, "/m/clip.mkv", QString("Korvane - (clip.mkv)")},
        {TitleBarMode::FullPath, "/m/clip.mkv", QString("Korvane - (/m/clip.mkv)")},
        {TitleBarMode::ProductOnly, "/m/clip.mkv", QString("Korvane")},
        {TitleBarMode::FullPath, "", QString("Korvane")}, // nothing loaded yet
        {std::nullopt, "/m/clip.mkv", std::nullopt},      // unknown mode: leave it be
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windowCaption(c.mode, "clip.mkv", c.path), c.caption)
            << (c.mode ? static_cast<int>(*c.mode) : -1) << ' ' << c.path;
    }
}

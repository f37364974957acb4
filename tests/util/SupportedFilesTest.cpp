#include "util/SupportedFiles.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(SupportedFiles, ExtensionsInTheirFixedOrder)
{
    const QStringList& ext = SupportedExtensions();
    ASSERT_EQ(ext.size(), 24);
    EXPECT_EQ(ext.first(), "wav");
    EXPECT_EQ(ext.at(7), "mpeg");
    EXPECT_EQ(ext.at(15), "hdmov");
    EXPECT_EQ(ext.last(), "asf");
}

TEST(SupportedFiles, ExtensionTestIgnoresCaseAndLooksAtLastComponentOnly)
{
    EXPECT_TRUE(isSupportedFile("/tmp/Movie.MKV"));
    EXPECT_TRUE(isSupportedFile("clip.3gpp"));
    EXPECT_TRUE(isSupportedFile("/a.b/c.d/film.HdMov"));
    EXPECT_FALSE(isSupportedFile("/videos.mkv/readme"));
    EXPECT_FALSE(isSupportedFile("/tmp/noext"));
    EXPECT_FALSE(isSupportedFile("/tmp/trailingdot."));
    EXPECT_FALSE(isSupportedFile("/tmp/a.mkv.txt"));
    EXPECT_FALSE(isSupportedFile(""));
    EXPECT_FALSE(isSupportedFile("/tmp/a.mkv /tmp/b.mkv.part"));
}

TEST(SupportedFiles, EveryMediaExtensionTheEnginePlaysIsTakenIn)
{
    const struct
    {
        const char* name;
        bool taken;
    } cases[] = {
        {"a.webm", true}, {"a.FLAC", true},   {"a.opus", true},  {"a.ogv", true},  {"a.oga", true},
        {"a.spx", true},  {"a.m2ts", true},   {"a.MTS", true},   {"a.ts", true},   {"a.vob", true},
        {"a.m4b", true},  {"a.mp2", true},    {"a.mpga", true},  {"a.divx", true}, {"a.f4v", true},
        {"a.wv", true},   {"a.ape", true},    {"a.ac3", true},   {"a.dts", true},  {"a.amr", true},
        {"a.mk3d", true}, {"a.adts", true},   {"a.3gpp2", true}, {"a.txt", false}, {"a.jpg", false},
        {"a.srt", false}, {"a.webm~", false}, {"a.part", false}, {"a.ass", false}, {"webm", false},
        {".webm", true},  {"a.we bm", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isSupportedFile(QLatin1String(c.name)), c.taken) << c.name;
    }
}

TEST(SupportedFiles, MediaExtensionsBeginWithTheTwentyFourAndHoldNoneTwice)
{
    const QStringList& all = MediaExtensions();
    EXPECT_EQ(all.mid(0, 24), SupportedExtensions());
    EXPECT_EQ(QSet<QString>(all.begin(), all.end()).size(), all.size());
    for (const QString& ext : all) {
        EXPECT_EQ(ext, ext.toLower()) << ext.toStdString();
        EXPECT_FALSE(ext.contains('.')) << ext.toStdString();
    }
}

TEST(SupportedFiles, FileNameIsTextAfterLastSlash)
{
    EXPECT_EQ(fileNameOfPath("/home/me/a b.mkv"), "a b.mkv");
    EXPECT_EQ(fileNameOfPath("plain.mkv"), "plain.mkv");
    EXPECT_EQ(fileNameOfPath("/home/me/"), "");
    EXPECT_EQ(fileNameOfPath("C:\\dos\\x.avi"), "C:\\dos\\x.avi");
}

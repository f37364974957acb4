#include "util/SupportedFiles.h"

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
    EXPECT_TRUE(IsSupportedFile("/tmp/Movie.MKV"));
    EXPECT_TRUE(IsSupportedFile("clip.3gpp"));
    EXPECT_TRUE(IsSupportedFile("/a.b/c.d/film.HdMov"));
    EXPECT_FALSE(IsSupportedFile("/videos.mkv/readme"));
    EXPECT_FALSE(IsSupportedFile("/tmp/noext"));
    EXPECT_FALSE(IsSupportedFile("/tmp/trailingdot."));
    EXPECT_FALSE(IsSupportedFile("/tmp/a.mkv.txt"));
    EXPECT_FALSE(IsSupportedFile(""));
    EXPECT_FALSE(IsSupportedFile("/tmp/a.mkv /tmp/b.mkv.part"));
}

TEST(SupportedFiles, FileNameIsTextAfterLastSlash)
{
    EXPECT_EQ(FileNameOfPath("/home/me/a b.mkv"), "a b.mkv");
    EXPECT_EQ(FileNameOfPath("plain.mkv"), "plain.mkv");
    EXPECT_EQ(FileNameOfPath("/home/me/"), "");
    EXPECT_EQ(FileNameOfPath("C:\\dos\\x.avi"), "C:\\dos\\x.avi");
}

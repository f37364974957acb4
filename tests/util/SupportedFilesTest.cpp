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

TEST(SupportedFiles, FileNameIsTextAfterLastSlash)
{
    EXPECT_EQ(fileNameOfPath("/home/me/a b.mkv"), "a b.mkv");
    EXPECT_EQ(fileNameOfPath("plain.mkv"), "plain.mkv");
    EXPECT_EQ(fileNameOfPath("/home/me/"), "");
    EXPECT_EQ(fileNameOfPath("C:\\dos\\x.avi"), "C:\\dos\\x.avi");
}

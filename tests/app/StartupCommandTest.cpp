#include "app/StartupCommand.h"

#include "playlist/SupportedFiles.h"

#include <gtest/gtest.h>

TEST(StartupCommand, QuotedPathWithBlanksArrivesWhole)
{
    const auto command = StartupCommand::fromArguments({"\"/home/me/My Videos/a b.mkv\""});
    EXPECT_EQ(command.path, "/home/me/My Videos/a b.mkv");
    EXPECT_EQ(command.forwardingText, command.path);
    EXPECT_TRUE(command.autoPlay);
}

TEST(StartupCommand, SeparateArgumentsJoinWithOneBlank)
{
    const auto command = StartupCommand::fromArguments({"/tmp/a.mkv", "/tmp/b.mkv"});
    EXPECT_EQ(command.path, "/tmp/a.mkv /tmp/b.mkv");
}

TEST(StartupCommand, AddMarkerCutsFiveCharactersAndKeepsForwardingText)
{
    const auto command = StartupCommand::fromArguments({"/tmp/clip.avi", "*Add"});
    EXPECT_EQ(command.path, "/tmp/clip.avi");
    EXPECT_EQ(command.forwardingText, "/tmp/clip.avi *Add");
    EXPECT_FALSE(command.autoPlay);
}

TEST(StartupCommand, MarkerGluedToNameStillCutsFive)
{
    // Exactly five characters go, whatever stands before the marker.
    EXPECT_EQ(StartupCommand::fromArguments({"/tmp/x.avi*Add"}).path, "/tmp/x.av");
    EXPECT_EQ(StartupCommand::fromArguments({"*Add"}).path, "");
    EXPECT_FALSE(StartupCommand::fromArguments({"*Add"}).autoPlay);
}

TEST(StartupCommand, NoArgumentsGiveEmptyTexts)
{
    const auto command = StartupCommand::fromArguments({});
    EXPECT_TRUE(command.forwardingText.isEmpty());
    EXPECT_TRUE(command.path.isEmpty());
    EXPECT_TRUE(command.autoPlay);
}

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

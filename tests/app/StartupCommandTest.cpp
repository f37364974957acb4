#include "app/StartupCommand.h"

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

TEST(StartupCommand, HandedOverTextKeepsItsQuotesAndLosesOnlyTheMarker)
{
    const struct
    {
        const char* text;
        const char* path;
        bool autoPlay;
    } cases[] = {
        {"/media/a b/clip.mkv", "/media/a b/clip.mkv", true},
        {"/media/a b/other.avi *Add", "/media/a b/other.avi", false},
        {"/media/\"quoted\".mkv", "/media/\"quoted\".mkv", true},
        {"", "", true},
    };
    for (const auto& c : cases) {
        const auto command = StartupCommand::fromHandOver(c.text);
        EXPECT_EQ(command.path, c.path) << c.text;
        EXPECT_EQ(command.autoPlay, c.autoPlay) << c.text;
        EXPECT_EQ(command.forwardingText, c.text);
    }
}

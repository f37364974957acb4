#include "instance/StartupCommand.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// A start made in /home/me, where only the given files exist.
StartupCommand fromArguments(const QStringList& arguments, const QSet<QString>& files = {})
{
    return StartupCommand::fromArguments(
        arguments, "/home/me", [files](const QString& path) { return files.contains(path); });
}

} // namespace

TEST(StartupCommand, QuotedPathWithBlanksArrivesWhole)
{
    const auto command = fromArguments({"\"/home/me/My Videos/a b.mkv\""});
    EXPECT_EQ(command.path, "/home/me/My Videos/a b.mkv");
    EXPECT_EQ(command.forwardingText, command.path);
    EXPECT_TRUE(command.autoPlay);
}

TEST(StartupCommand, SeparateArgumentsJoinWithOneBlank)
{
    const auto command = fromArguments({"/tmp/a.mkv", "/tmp/b.mkv"});
    EXPECT_EQ(command.path, "/tmp/a.mkv /tmp/b.mkv");
}

TEST(StartupCommand, AddMarkerCutsFiveCharactersAndKeepsForwardingText)
{
    const auto command = fromArguments({"/tmp/clip.avi", "*Add"});
    EXPECT_EQ(command.path, "/tmp/clip.avi");
    EXPECT_EQ(command.forwardingText, "/tmp/clip.avi *Add");
    EXPECT_FALSE(command.autoPlay);
}

TEST(StartupCommand, MarkerGluedToNameStillCutsFive)
{
    // Exactly five characters go, whatever stands before the marker.
    EXPECT_EQ(fromArguments({"/tmp/x.avi*Add"}).path, "/tmp/x.av");
    EXPECT_EQ(fromArguments({"*Add"}).path, "");
    EXPECT_FALSE(fromArguments({"*Add"}).autoPlay);
}

TEST(StartupCommand, NoArgumentsGiveEmptyTexts)
{
    const auto command = fromArguments({});
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

TEST(StartupCommand, ArgumentsThatNameAFileAreTakenAsGivenQuotesAndAll)
{
    const QSet<QString> files = {"/home/me/say \"hi\".mp3", "/home/me/a=b \"c\".mkv",
                                 "/home/me/clip.mkv", "/tmp/plain.avi"};
    const struct
    {
        QStringList arguments;
        const char* path;
        const char* forwardingText;
        bool autoPlay;
    } cases[] = {
        // Names with quotes, as a shell hands them over.
        {{"say \"hi\".mp3"}, "/home/me/say \"hi\".mp3", "/home/me/say \"hi\".mp3", true},
        {{"/home/me/say \"hi\".mp3", "*Add"},
         "/home/me/say \"hi\".mp3",
         "/home/me/say \"hi\".mp3 *Add",
         false},
        {{"a=b", "\"c\".mkv"}, "/home/me/a=b \"c\".mkv", "/home/me/a=b \"c\".mkv", true},
        // Relative names are made absolute, found or not, so the running player and the history
        // name the file this start meant.
        {{"clip.mkv"}, "/home/me/clip.mkv", "/home/me/clip.mkv", true},
        {{"clip.mkv", "*Add"}, "/home/me/clip.mkv", "/home/me/clip.mkv *Add", false},
        {{"sub/../gone.mkv", "*Add"}, "/home/me/gone.mkv", "/home/me/gone.mkv *Add", false},
        {{"\"My Videos/x.avi\""}, "/home/me/My Videos/x.avi", "/home/me/My Videos/x.avi", true},
        // Quoted names that exist once unquoted keep the old rule.
        {{"\"/tmp/plain.avi\""}, "/tmp/plain.avi", "/tmp/plain.avi", true},
        // Two names still make one text that names nothing.
        {{"/tmp/plain.avi", "/home/me/clip.mkv"},
         "/tmp/plain.avi /home/me/clip.mkv",
         "/tmp/plain.avi /home/me/clip.mkv",
         true},
        {{}, "", "", true},
    };
    for (const auto& c : cases) {
        const auto command = fromArguments(c.arguments, files);
        EXPECT_EQ(command.path, c.path) << c.arguments.join(" | ").toStdString();
        EXPECT_EQ(command.forwardingText, c.forwardingText)
            << c.arguments.join(" | ").toStdString();
        EXPECT_EQ(command.autoPlay, c.autoPlay) << c.arguments.join(" | ").toStdString();
    }
}

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

TEST(StartupCommand, SeparateArgumentsThatNameNoOneFileAreSeveralNames)
{
    const QSet<QString> files = {"/home/me/a b.mkv", "/tmp/a.mkv"};
    const struct
    {
        QStringList arguments;
        QStringList paths;
        bool autoPlay;
        const char* forwardingText;
    } cases[] = {
        {{"/tmp/a.mkv", "/tmp/b.mkv"},
         {"/tmp/a.mkv", "/tmp/b.mkv"},
         true,
         "*Files file:///tmp/a.mkv file:///tmp/b.mkv"},
        // Relative names from the current folder, folders and missing names alike, in order.
        {{"c.flac", "Music", "../x.webm", "*Add"},
         {"/home/me/c.flac", "/home/me/Music", "/home/x.webm"},
         false,
         "*Files file:///home/me/c.flac file:///home/me/Music file:///home/x.webm *Add"},
        // Blanks, percent signs and non-ASCII names travel encoded.
        {{"/tmp/50% off.mp4", QString::fromUtf8("/tmp/日本.mkv")},
         {"/tmp/50% off.mp4", QString::fromUtf8("/tmp/日本.mkv")},
         true,
         "*Files file:///tmp/50%25%20off.mp4 file:///tmp/%E6%97%A5%E6%9C%AC.mkv"},
        // The arguments as a whole naming one file still win.
        {{"a", "b.mkv"}, {"/home/me/a b.mkv"}, true, "/home/me/a b.mkv"},
        {{"a", "b.mkv", "*Add"}, {"/home/me/a b.mkv"}, false, "/home/me/a b.mkv *Add"},
        // One name and the marker keep the one-name form.
        {{"/tmp/gone.mkv", "*Add"}, {"/tmp/gone.mkv"}, false, "/tmp/gone.mkv *Add"},
        // A name that itself ends in the marker's letters is a name, not the marker.
        {{"/tmp/x", "/a.avi *Add"},
         {"/tmp/x", "/a.avi *Add"},
         true,
         "*Files file:///tmp/x file:///a.avi%20%2AAdd"},
        {{"///tmp//a.mkv", "/tmp/./b.mkv"},
         {"/tmp/a.mkv", "/tmp/b.mkv"},
         true,
         "*Files file:///tmp/a.mkv file:///tmp/b.mkv"},
        {{"", "::::.", "."},
         {"/home/me/::::.", "/home/me"},
         true,
         "*Files file:///home/me/::::. file:///home/me"},
        // Blank arguments alone are the one text they join to, never an empty list.
        {{"", ""}, {"/home/me/ "}, true, "/home/me/ "},
        {{"/tmp/a.mkv", "", "/tmp/c.ogg"},
         {"/tmp/a.mkv", "/tmp/c.ogg"},
         true,
         "*Files file:///tmp/a.mkv file:///tmp/c.ogg"},
    };
    for (const auto& c : cases) {
        const auto command = fromArguments(c.arguments, files);
        const std::string trace = c.arguments.join(" | ").toStdString();
        EXPECT_EQ(command.paths, c.paths) << trace;
        EXPECT_EQ(command.autoPlay, c.autoPlay) << trace;
        EXPECT_EQ(command.forwardingText, c.forwardingText) << trace;
        // What the running player reads back is what this start meant.
        const auto received = StartupCommand::fromHandOver(command.forwardingText);
        EXPECT_EQ(received.paths, c.paths) << trace;
        EXPECT_EQ(received.autoPlay, c.autoPlay) << trace;
    }
}

TEST(StartupCommand, SeveralNamesFormKeepsOnlyAbsoluteLocalFiles)
{
    const struct
    {
        const char* text;
        QStringList paths;
    } cases[] = {
        {"*Files file:///a.mkv http://host/b.mkv file:relative.mkv file:///c%20d.ogg",
         {"/a.mkv", "/c d.ogg"}},
        {"*Files file:///x.mkv?q=1 file:///y.mkv#frag file:///%zz", {}},
        {"*Files   file:///a.mkv   ", {"/a.mkv"}},
        {"*Files", {"*Files"}}, // no blank after the word: a plain name like any other
        {"*Files *Add", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartupCommand::fromHandOver(c.text).paths, c.paths) << c.text;
    }
    EXPECT_FALSE(StartupCommand::fromHandOver("*Files file:///a.mkv *Add").autoPlay);
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
        // Quoted names that exist once unquoted are taken without the quotes.
        {{"\"/tmp/plain.avi\""}, "/tmp/plain.avi", "/tmp/plain.avi", true},
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

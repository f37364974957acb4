#include "startup/LaunchArguments.h"

#include <gtest/gtest.h>

// The names every step sees are the arguments without the options Qt takes for itself.
TEST(LaunchArguments, QtOptionsAreSetAsideBeforeTheNamesAreRead)
{
    const std::tuple<QStringList, QStringList, bool> cases[] = {
        {{"-platform", "wayland", "clip.mkv"}, {"/w/clip.mkv"}, true},
        {{"--platform", "xcb"}, {}, true},
        {{"-style", "fusion", "-reverse", "-style=fusion", "a.mkv"}, {"/w/a.mkv"}, false},
        {{"a.mkv", "-display", ":1", "*Add"}, {"/w/a.mkv"}, false},
        {{"-platform"}, {"/w/-platform"}, true}, // no value: Qt leaves it too
        {{"-h", "b.mkv"}, {"/w/-h", "/w/b.mkv"}, false},
        {{"/m/x.mkv"}, {"/m/x.mkv"}, false},
    };
    for (const auto& [given, paths, platformArgument] : cases) {
        const LaunchArguments launch =
            LaunchArguments::fromArguments(given, "/w", [](const QString&) { return false; });
        const std::string trace = given.join(' ').toStdString();
        EXPECT_EQ(launch.given, given) << trace;
        EXPECT_EQ(launch.command.paths, paths) << trace;
        EXPECT_EQ(launch.platformArgument, platformArgument) << trace;
    }
}

#include "startup/PlatformChoice.h"

#include <gtest/gtest.h>

TEST(PlatformChoice, WaylandSessionsRunOnXWaylandUnlessTheUserChose)
{
    const struct
    {
        const char* name;
        PlatformChoice in;
        const char* platform;
    } cases[] = {
        {"Wayland session", {"", "wayland", "wayland-0", ":0", false}, "xcb"},
        {"session type only", {"", "Wayland", "", ":1", false}, "xcb"},
        {"socket only", {"", "", "wayland-1", ":0", false}, "xcb"},
        {"X session", {"", "x11", "", ":0", false}, ""},
        {"tty, no display", {"", "tty", "", "", false}, ""},
        {"no XWayland", {"", "wayland", "wayland-0", "", false}, ""},
        {"user chose wayland", {"wayland", "wayland", "wayland-0", ":0", false}, ""},
        {"user chose a list", {"wayland;xcb", "wayland", "wayland-0", ":0", false}, ""},
        {"tests offscreen", {"offscreen", "wayland", "wayland-0", ":0", false}, ""},
        {"blank choice", {"  ", "wayland", "wayland-0", ":0", false}, "xcb"},
        {"-platform argument", {"", "wayland", "wayland-0", ":0", true}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.in.platform(), QByteArray(c.platform)) << c.name;
    }
    EXPECT_TRUE(PlatformChoice::fromEnvironment(true).platformArgument);
}

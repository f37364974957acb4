#include "commands/MenuEnabling.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using Event = MenuEnabling::Event;

Event control(int state)
{
    return {Event::ControlState, state, {}, {}};
}

Event count(int n)
{
    return {Event::PlaylistCount, n, {}, {}};
}

Event speed(std::optional<bool> increase, std::optional<bool> decrease)
{
    return {Event::SpeedChanged, 0, increase, decrease};
}

// The governed items as a string, in key order: 1 enabled, 0 disabled.
std::string bits(const MenuEnabling& e)
{
    std::string out;
    for (const QString& key : MenuEnabling::keys()) {
        out += *e.enabled(key) ? '1' : '0';
    }
    return out;
}

MenuEnabling run(std::initializer_list<Event> events)
{
    MenuEnabling e;
    for (const Event& event : events) {
        e = nextMenuEnabling(e, event);
    }
    return e;
}

} // namespace

TEST(MenuEnabling, SequencesOfEvents)
{
    const Event startUp{Event::StartUp, 0, {}, {}};
    const Event playOnEmpty{Event::PlayPauseOnEmpty, 0, {}, {}};
    const Event stopCommand{Event::StopCommand, 0, {}, {}};
    const struct
    {
        const char* name;
        std::initializer_list<Event> events;
        const char* expected; // Stop FullScreen Inc Dec Reset | Remove RemoveAll Next Previous
    } cases[] = {
        {"start-up", {startUp}, "000000000"},
        {"start-up then stopped", {startUp, control(1)}, "000000000"},
        {"playing", {startUp, control(0)}, "111110000"},
        {"paused", {startUp, control(2)}, "111110000"},
        {"playing then stopped", {startUp, control(0), control(1)}, "000000000"},
        {"unknown state disables", {startUp, control(0), control(7)}, "000000000"},
        {"play/pause on empty enables stop only", {startUp, playOnEmpty}, "100000000"},
        {"stop command disables stop", {startUp, control(0), stopCommand}, "011110000"},
        {"entries arrive", {startUp, count(3)}, "000001111"},
        {"last entry removed", {startUp, count(1), count(0)}, "000000000"},
        {"speed at the top", {startUp, control(0), speed(false, true)}, "110110000"},
        {"speed at the bottom", {startUp, control(0), speed(true, false)}, "111010000"},
        {"speed verdict leaves what it does not name",
         {startUp, control(0), speed(false, std::nullopt)},
         "110110000"},
        {"reset frees both",
         {startUp, control(0), speed(false, true), speed(true, true)},
         "111110000"},
        {"a new play state frees a speed limit",
         {startUp, control(0), speed(false, true), control(2)},
         "111110000"},
        {"the playlist does not follow the play state",
         {startUp, count(2), control(1)},
         "000001111"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bits(run(c.events)), c.expected) << c.name;
    }
}

TEST(MenuEnabling, KeysOutsideTheRulesAreNotGoverned)
{
    const MenuEnabling e;
    EXPECT_FALSE(e.enabled("PlayPause"));
    EXPECT_FALSE(e.enabled("stop"));
    EXPECT_FALSE(e.enabled(""));
    EXPECT_EQ(MenuEnabling::keys().size(), 9);
}

#include "commands/MenuEnabling.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using Event = MenuEnabling::Event;

Event control(int state)
{
    // 0 playing, 1 stopped, 2 paused
    return {Event::MediaControl, state != 1 ? 1 : 0};
}

Event count(int n)
{
    return {Event::PlaylistCount, n};
}

Event speed(bool increase, bool decrease)
{
    return {Event::SpeedLimits, 0, increase, decrease};
}

// The governed items as a string, in key order: 1 enabled, 0 disabled.
std::string bits(const MenuEnabling& e)
{
    std::string out;
    for (Command command : MenuEnabling::commands()) {
        out += *e.enabled(command) ? '1' : '0';
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
    const Event startUp{Event::StartUp};
    const Event playOnEmpty{Event::PlayPauseOnEmpty};
    const Event stopCommand{Event::StopCommand};
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
        {"play/pause on empty enables stop only", {startUp, playOnEmpty}, "100000000"},
        {"stop command disables stop", {startUp, control(0), stopCommand}, "011110000"},
        {"entries arrive", {startUp, count(3)}, "000001111"},
        {"last entry removed", {startUp, count(1), count(0)}, "000000000"},
        {"speed at the top", {startUp, control(0), speed(false, true)}, "110110000"},
        {"speed at the bottom", {startUp, control(0), speed(true, false)}, "111010000"},
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

TEST(MenuEnabling, CommandsOutsideTheRulesAreNotGoverned)
{
    const MenuEnabling e;
    for (Command command : {Command::PlayPause, Command::None, Command::Count, Command::Play}) {
        EXPECT_FALSE(e.enabled(command)) << static_cast<int>(command);
    }
}

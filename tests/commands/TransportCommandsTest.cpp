#include "commands/TransportCommands.h"

#include "commands/CommandTable.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

TEST(TransportCommands, FollowThePlayStateUnderTheirLoggedKeys)
{
    QStringList keys;
    for (Command command : TransportCommands::followingPlayState()) {
        keys << CommandTable::entry(command).key;
    }
    EXPECT_EQ(keys,
              QStringList({"Stop", "FullScreen", "IncreaseSpeed", "DecreaseSpeed", "ResetSpeed"}));
}

TEST(TransportCommands, EnabledWhilePlayingOrPausedOnly)
{
    struct Case
    {
        MediaControlState::State state;
        Command command;
        bool enabled;
    };
    const Case cases[] = {
        {MediaControlState::Playing, Command::Stop, true},
        {MediaControlState::Paused, Command::ResetSpeed, true},
        {MediaControlState::Stopped, Command::Stop, false},
        {MediaControlState::Stopped, Command::FullScreen, false},
        // Commands outside the group are not governed by the play state.
        {MediaControlState::Playing, Command::PlayPause, false},
        {MediaControlState::Playing, Command::Next, false},
        {MediaControlState::Paused, Command::None, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TransportCommands::enabledIn(c.state, c.command), c.enabled)
            << CommandTable::entry(c.command).key.toStdString() << " in state " << c.state;
    }
}

TEST(TransportCommands, EachAfterPlayActionHasItsRadio)
{
    struct Case
    {
        AfterPlayAction action;
        const char* key;
    };
    const Case cases[] = {
        {AfterPlayAction::DoNothing, "Donothing"},
        {AfterPlayAction::Exit, "ExitKorvane"},
        {AfterPlayAction::Restart, "RestartTheComputer"},
        {AfterPlayAction::ShutDown, "ShutdownTheComputer"},
    };
    for (const Case& c : cases) {
        const Command command = TransportCommands::ofAfterPlay(c.action);
        EXPECT_EQ(CommandTable::entry(command).key, c.key);
        EXPECT_EQ(TransportCommands::afterPlayOf(command), c.action) << c.key;
    }
    EXPECT_EQ(CommandTable::fromKey("shutdownthecomputer"), std::nullopt)
        << "keys are exact and case-sensitive";
    EXPECT_EQ(TransportCommands::afterPlayOf(Command::Stop), std::nullopt);
    EXPECT_EQ(TransportCommands::afterPlayOf(Command::PlayModeShuffle), std::nullopt);
}

} // namespace

#pragma once

// What a menu item asks for. The main menu and the classic popups share these; the app binds
// each to its call.
enum class MenuCommand : int
{
    None,
    OpenFile,
    Exit,
    PlayPause,
    Stop,
    PlayMode,   // argument: 0 normal, 1 continuous, 2 shuffle
    RepeatMode, // argument: 0 no repeat, 1 single, 2 all
    FullScreen,
    IncreaseSpeed,
    DecreaseSpeed,
    ResetSpeed,
    AfterPlay, // argument: the after-play action 0 to 3
    AddVideoFile,
    Remove,
    RemoveAll,
    Next,
    Previous,
    Options,
    About,
    HelpTopics,
    History, // argument: the history slot 0 to 10
    PlayDrive,
};

// One dispatched command. The classic popups behave slightly differently from the main menu
// in a few places (the mode checks, the playlist items' extras), hence the origin.
struct MenuDispatch
{
    MenuCommand command = MenuCommand::None;
    int argument = -1;
    bool fromMainMenu = true;
    bool operator==(const MenuDispatch&) const = default;
};

#pragma once

#include <QMetaType>

// Every command a user can give, from a menu, a key, a skin button, a media key or the desktop.
enum class Command : int
{
    None = -1,
    OpenFile = 0,
    DvdDrive0,
    DvdDrive1,
    DvdDrive2,
    DvdDrive3,
    DvdDrive4,
    DvdDrive5,
    History0,
    History1,
    History2,
    History3,
    History4,
    History5,
    History6,
    History7,
    History8,
    History9,
    History10,
    Exit,
    PlayPause,
    Stop,
    PlayModeNormal,
    PlayModeContinuous,
    PlayModeShuffle,
    RepeatNone,
    RepeatSingle,
    RepeatAll,
    FullScreen,
    IncreaseSpeed,
    DecreaseSpeed,
    ResetSpeed,
    AfterNothing,
    AfterExit,
    AfterRestart,
    AfterShutdown,
    AddFiles,
    Remove,
    RemoveAll,
    Next,
    Previous,
    Options,
    About,
    HelpTopics,
    // Reached by skin buttons and media keys only.
    Play,
    Mute,
    TogglePlaylist,
    DvdMenu,
    MediaInfo,
    // Keys and the wheel, and the Audio, Subtitle and Seek groups of the Play menu.
    SeekBack,
    SeekForward,
    SeekBackLong,
    SeekForwardLong,
    VolumeUp,
    VolumeDown,
    AudioTrack0,
    AudioTrack1,
    AudioTrack2,
    AudioTrack3,
    AudioTrack4,
    AudioTrack5,
    AudioTrack6,
    AudioTrack7,
    SubtitleOff,
    Subtitle0,
    Subtitle1,
    Subtitle2,
    Subtitle3,
    Subtitle4,
    Subtitle5,
    Subtitle6,
    Subtitle7,
    OpenSubtitle,
    TakeSnapshot,
    // In the File and PlayList menus.
    OpenFolder,
    Count,
};
Q_DECLARE_METATYPE(Command)

// Radio groups: one checked command each on the menu bar.
enum class CommandGroup : int
{
    None,
    PlayMode,
    RepeatMode,
    AfterPlay,
};

enum class CommandKind : int
{
    Normal,
    Radio,
    // Checkable on its own; whoever fills the item sets the check.
    Check,
};

constexpr int commandCount = static_cast<int>(Command::Count);

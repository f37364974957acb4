#pragma once

// Every submenu of the menu bar and of the popups, so a menu is named by type, not by text.
enum class MenuId : int
{
    // The menu bar.
    File,
    Open,
    OpenDvd,
    Recent,
    Play,
    PlayMode,
    RepeatMode,
    AfterPlay,
    Audio,
    AudioTrack,
    Subtitle,
    Seek,
    PlayList,
    Tools,
    Help,
    // The popups: the File menu from the tray, the Play menu over the video, the Play List menu
    // over the playlist.
    PopupFile,
    PopupOpen,
    PopupOpenDvd,
    PopupRecent,
    PopupPlay,
    PopupPlayMode,
    PopupRepeatMode,
    PopupAfterPlay,
    PopupAudioTrack,
    PopupSubtitle,
    PopupPlayList,
    Count,
};

constexpr int menuIdCount = static_cast<int>(MenuId::Count);

#pragma once

// The main window's regions by hit index; 3 to 6, 21 and 22 are never filled.
enum class SkinRegion : int
{
    None = -1,
    Close = 0,
    Maximize = 1,
    Minimize = 2,
    TitleBar = 7,
    Play = 8,
    Pause = 9,
    Stop = 10,
    Previous = 11,
    Rewind = 12,
    Next = 13,
    FastForward = 14,
    SnapShot = 15,
    FullScreen = 16,
    PlayList = 17,
    Dvd = 18,
    Open = 19,
    Sound = 20,
    WindowIcon = 23,
};

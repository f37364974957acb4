#pragma once

#include <QSize>
#include <array>

// Panes of the five-pane splitter, by index.
enum class Pane : int
{
    Left = 0,
    Top = 1,
    Centre = 2,
    Bottom = 3,
    Right = 4,
};

// Where the playlist goes for one position code (0 left, 1 right, 2 top, 3 bottom, 4 fill,
// 5 hidden), as a pure function of the code and the splitter's size.
struct PlaylistPlacement
{
    static constexpr int Left = 0;
    static constexpr int Right = 1;
    static constexpr int Top = 2;
    static constexpr int Bottom = 3;
    static constexpr int Fill = 4;
    static constexpr int Hidden = 5;

    bool known = false;           // false: only the locks were cleared
    std::array<int, 5> size{};    // widths of panes 0 and 4, heights of 1 and 3; -1 untouched
    int host = -1;                // pane given the playlist, -1 none
    bool clearOtherHosts = false; // side panes other than host host nothing
    bool fills = false;           // the playlist covers the content rectangle
    std::array<bool, 5> locked{}; // width lock of 0 and 4, height lock of 1 and 3 afterwards

    static PlaylistPlacement forPosition(int position, QSize splitter);
};

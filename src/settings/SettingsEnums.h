#pragma once

#include <QtGlobal>

// The choices the settings offer. Each enum keeps the width of its field in Config.cfg; a value
// read from the file that names no choice is held as it is, so it is written back unchanged,
// and the rules below give it a meaning where one is needed.

// The play order. A value that names no order moves on like Continuous.
enum class PlayMode : qint32
{
    Normal = 0,
    Continuous = 1,
    Shuffle = 2,
};

// A value that names no repeat mode wraps like RepeatAll.
enum class RepeatMode : qint32
{
    NoRepeat = 0,
    SingleRepeat = 1,
    RepeatAll = 2,
};

// How the caption names the playing entry. A value that names no mode leaves the caption as it is.
enum class TitleBarMode : qint16
{
    FileName = 0,
    FullPath = 1,
    ProductOnly = 2,
};

// Where a file opened from outside plays. Any value but SamePlayer starts a new player.
enum class OpenMode : qint16
{
    SamePlayer = 0,
    NewPlayer = 1,
};

// Any value but Jpg takes snapshots as PNG.
enum class SnapshotFormat : qint16
{
    Jpg = 0,
    Png = 1,
};

// Where the playlist stands beside the video.
enum class PlaylistPosition : qint32
{
    Left = 0,
    Right = 1,
    Top = 2,
    Bottom = 3,
    Fill = 4,
};

#pragma once

#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"

#include <QStringList>

// Writes down what a playlist announces to playback, one short line per signal.
struct PlaylistSignals
{
    explicit PlaylistSignals(Playlist& playlist)
    {
        QObject::connect(&playlist, &Playlist::playRequested, [this](int index, bool full) {
            calls << QString("play %1%2").arg(index).arg(full ? " full" : "");
        });
        QObject::connect(&playlist, &Playlist::committed, [this] { calls << "rebuild"; });
        QObject::connect(&playlist, &Playlist::entryClicked,
                         [this](int index) { calls << QString("click %1").arg(index); });
        QObject::connect(&playlist, &Playlist::entryActivated,
                         [this](int index) { calls << QString("activate %1").arg(index); });
        QObject::connect(&playlist.model(), &PlaylistModel::entryRemoved,
                         [this](int index) { calls << QString("remove %1").arg(index); });
        QObject::connect(&playlist.model(), &PlaylistModel::cleared, [this] { calls << "clear"; });
    }
    QStringList calls;
};

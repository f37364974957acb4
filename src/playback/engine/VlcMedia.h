#pragma once

#include "playback/engine/Engine.h"

#include <QSize>

struct libvlc_instance_t;
struct libvlc_media_t;
struct libvlc_media_player_t;

// An item as libVLC takes it, and what libVLC tells of the current item's streams.
namespace VlcMedia {

// A path or an address ("dvd:///dev/sr0") with its options, each given with or without the
// leading colon; null when libVLC refuses it.
libvlc_media_t* make(libvlc_instance_t* instance, const QString& mrlOrPath,
                     const QStringList& options);

// Audio or subtitle tracks without libVLC's "Disable" entry (id -1), which the menus offer as
// "Off".
QList<Engine::Track> audio(libvlc_media_player_t* player);
QList<Engine::Track> subtitles(libvlc_media_player_t* player);

// The video track's size as it should look (pixels made square); empty while unknown.
QSize displaySize(libvlc_media_player_t* player);

} // namespace VlcMedia

#pragma once

#include <QImage>
#include <QString>

// The pictures used when a stream has no thumbnail and for audio-only files. Loaded once per
// process from "Video.JPG" and "Audio.JPG" in the program folder; safe to read from any thread.
class DefaultPictures
{
public:
    QImage defaultVideoPicture;
    QImage defaultAudioPicture;

    static const DefaultPictures& instance();

    // A missing or unreadable file gives a plain grey picture, so the list always has something
    // to draw.
    static DefaultPictures loadFrom(const QString& folder);
};

#pragma once

#include <QImage>
#include <QString>

// One audio or video stream of a described file. Fields that do not apply to the stream's type
// stay 0, empty or false.
struct StreamRecord
{
    enum Kind : int
    {
        Audio = 1,
        Video = 2
    };

    int type = 0;
    int index = 0;   // the decoder's stream number
    int bitRate = 0; // kbit/s, 0 when not reported
    QString compression;
    float fps = 0.0f;
    int width = 0;
    int height = 0;
    QImage image; // the stream's thumbnail
    float sourceAR = 0.0f;
    float displayAR = 0.0f;
    bool interlaced = false;
    int channels = 0;
    int sampleRate = 0;
    int delay = 0; // ms; -1 not determined, -2 no frame start found
    // Not part of the dictionary forms: how the thumbnail is taken.
    bool attachedPicture = false; // cover art: one picture, not a moving stream
    int rotation = 0;             // degrees the picture is turned for display (video)

    bool isAudio() const { return type == Audio; }
    bool isVideo() const { return type == Video; }
};

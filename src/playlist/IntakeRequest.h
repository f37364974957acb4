#pragma once

#include <QString>
#include <QtGlobal>

// One file on its way into the playlist, with what its caller asked for.
struct IntakeRequest
{
    QString title;
    QString fileName;
    bool fullScreen = false;
    bool playNow = false;
    // Files given together with this number (not 0): the first of them that is taken in plays,
    // so a refused first file does not leave the rest silent.
    quint64 playGroup = 0;
};

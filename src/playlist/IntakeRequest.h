#pragma once

#include <QString>

// One file on its way into the playlist, with what its caller asked for.
struct IntakeRequest
{
    QString title;
    QString fileName;
    bool fullScreen = false;
    bool playNow = false;
};

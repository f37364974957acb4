#pragma once

#include <QtGlobal>

// What happens when the play has run out. Not kept between runs.
enum class AfterPlayAction : qint16
{
    DoNothing = 0,
    Exit = 1,
    Restart = 2,
    ShutDown = 3,
};

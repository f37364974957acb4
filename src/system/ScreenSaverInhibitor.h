#pragma once

// Keeps the desktop's screensaver away while asked. Asking twice for the same thing does nothing.
class ScreenSaverInhibitor
{
public:
    virtual ~ScreenSaverInhibitor() = default;
    virtual void setInhibited(bool inhibited) = 0;
};

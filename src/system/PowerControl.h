#pragma once

// Restarting and switching off the computer, for the after-play actions. Both ask and return at
// once; a refusal is not reported.
class PowerControl
{
public:
    virtual ~PowerControl() = default;
    virtual void reboot() = 0;
    virtual void powerOff() = 0;
};

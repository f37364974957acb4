#pragma once

#include "system/PowerControl.h"

// Counts the requests instead of making them.
class FakePowerControl : public PowerControl
{
public:
    void reboot() override { ++reboots; }
    void powerOff() override { ++powerOffs; }

    int reboots = 0;
    int powerOffs = 0;
};

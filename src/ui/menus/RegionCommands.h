#pragma once

#include "commands/Command.h"
#include "skin/SkinLayout.h"

// The command each skin button gives; None for the window's own regions.
class RegionCommands
{
public:
    static Command commandOf(SkinRegion region);
};

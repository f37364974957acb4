#pragma once

// The About box's regions by hit index.
enum class AboutRegion : int
{
    None = -1,
    CloseButton = 0,
    CaptionStrip = 1,
    OkButton = 2,
};

#pragma once

#include "skin/SettingsLayout.h"

class QPainter;
class SkinImages;

namespace SettingsPainter {

// The Options dialog's pieces for a page, drawn with DrawSkinImage; returns the
// hit table the paint leaves behind. A piece whose image is missing is left out of the picture
// only.
SettingsLayout::HitRects paintSettings(QPainter& painter, const SkinImages& images, int width,
                                       int height, SettingsPage page,
                                       const SettingsLayout::ButtonStates& states,
                                       const SettingsLayout::HitRects& previous);

} // namespace SettingsPainter

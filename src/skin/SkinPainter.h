#pragma once

#include "skin/SkinLayout.h"

class QImage;
class QPainter;
class SkinImages;

// Paints skinned surfaces from the decoded skin images. Every piece is scaled into its
// rectangle; the images are drawn at twice their size, so the scaling is smooth.
namespace SkinPainter {

// The image scaled over (x, y, w, h); returns that rectangle.
QRect drawSkinImage(QPainter& painter, const QImage& image, int x, int y, int w, int h);

// The 25 pieces of the main window in order; returns the hit rectangles of
// what was laid out. A piece whose image is missing is left out of the picture only.
HitRectTable paintMainWindow(QPainter& painter, const SkinImages& images, int width, int height,
                             const ButtonStateTable& states, bool muted);

} // namespace SkinPainter

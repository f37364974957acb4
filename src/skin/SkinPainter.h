#pragma once

#include <QRect>

class QImage;
class QPainter;

// Paints skinned surfaces from the decoded skin images. Every piece is scaled into its
// rectangle; the images are drawn at twice their size, so the scaling is smooth.
namespace SkinPainter {

// The image scaled over (x, y, w, h); returns that rectangle. A missing image draws nothing.
QRect drawSkinImage(QPainter& painter, const QImage& image, int x, int y, int w, int h);

} // namespace SkinPainter

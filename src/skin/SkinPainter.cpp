#include "skin/SkinPainter.h"

#include <QImage>
#include <QPainter>

QRect SkinPainter::drawSkinImage(QPainter& painter, const QImage& image, int x, int y, int w, int h)
{
    const QRect target(x, y, w, h);
    if (!image.isNull() && w > 0 && h > 0) {
        painter.drawImage(target, image);
    }
    return target;
}

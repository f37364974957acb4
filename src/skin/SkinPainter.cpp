#include "skin/SkinPainter.h"

#include "skin/SkinImages.h"

#include <QPainter>

QRect SkinPainter::drawSkinImage(QPainter& painter, const QImage& image, int x, int y, int w, int h)
{
    const QRect target(x, y, w, h);
    if (!image.isNull() && w > 0 && h > 0) {
        painter.drawImage(target, image);
    }
    return target;
}

HitRectTable SkinPainter::paintMainWindow(QPainter& painter, const SkinImages& images, int width,
                                          int height, const ButtonStateTable& states, bool muted)
{
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const SkinLayout::Piece& piece : SkinLayout::pieces(width, height, states, muted)) {
        const QRect& r = piece.rect;
        drawSkinImage(painter, images.slot(piece.slot), r.x(), r.y(), r.width(), r.height());
    }
    // The buttons answer where they stand even when an image is missing, so a damaged skin
    // still leaves the window closable.
    return SkinLayout::hitRects(width, height);
}

#include "skin/SettingsPainter.h"

#include "skin/SkinImages.h"
#include "skin/SkinPainter.h"

#include <QPainter>

SettingsLayout::HitRects SettingsPainter::paintSettings(QPainter& painter, const SkinImages& images,
                                                        int width, int height, SettingsPage page,
                                                        const SettingsLayout::ButtonStates& states,
                                                        const SettingsLayout::HitRects& previous)
{
    painter.fillRect(0, 0, width, height, Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const SettingsLayout::Piece& piece : SettingsLayout::pieces(width, height, page, states)) {
        const QRect& r = piece.rect;
        SkinPainter::drawSkinImage(painter, images.slot(piece.slot), r.x(), r.y(), r.width(),
                                   r.height());
    }
    return SettingsLayout::paintedHitRects(previous, width, height, page);
}

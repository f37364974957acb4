#include "ui/qt/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon korvaneIcon()
{
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
        QLinearGradient fill(0, 0, 0, s);
        fill.setColorAt(0, QColor(0x3a, 0x7b, 0xd5));
        fill.setColorAt(1, QColor(0x1c, 0x3f, 0x8c));
        painter.setBrush(fill);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0, 0, s, s).adjusted(s / 16, s / 16, -s / 16, -s / 16),
                                s / 5, s / 5);
        QPainterPath play;
        play.moveTo(s * 0.38, s * 0.28);
        play.lineTo(s * 0.74, s * 0.5);
        play.lineTo(s * 0.38, s * 0.72);
        play.closeSubpath();
        painter.setBrush(Qt::white);
        painter.drawPath(play);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

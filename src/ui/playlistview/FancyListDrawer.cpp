#include "ui/playlistview/FancyListDrawer.h"

#include "playlist/PlaylistModel.h"
#include "skin/FancyListGeometry.h"

#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <algorithm>

void FancyListDrawer::fillBackground(QPainter& painter, const QPalette& colours,
                                     const QRect& surface) const
{
    painter.fillRect(surface, colours.color(QPalette::Base));
}

void FancyListDrawer::drawRow(QPainter& painter, const QPalette& colours,
                              const PlaylistEntry& entry, const Row& row) const
{
    const QRect& rect = row.rect;
    const QColor background = colours.color(row.selected ? QPalette::Highlight : QPalette::Base);
    const QColor textColour =
        colours.color(row.selected ? QPalette::HighlightedText : QPalette::ButtonText);
    if (!row.selected) {
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1),
                         colours.color(QPalette::Button));
    }
    // The last pixel row stays out of the fill so the separator shows.
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), rect.height() - 1), background);
    if (m_thumbnails && !entry.picture.isNull()) {
        drawThumb(painter, entry.picture,
                  QRect(m_padding, rect.top() + m_padding, m_imageWidth, m_imageHeight));
    }
    // The caption stops where the scroll bar begins, so no title runs under it.
    QRect textBox =
        FancyListGeometry::textRect(0, rect.height(), -rect.top(), rect.width(), m_padding,
                                    m_thumbnails, m_imageWidth, row.reservedRight - m_padding);
    if (textBox.isEmpty()) {
        return;
    }
    painter.save();
    if (row.playing) {
        textBox = drawPlayMark(painter, textColour, textBox);
    }
    if (!textBox.isEmpty() && !entry.title.isEmpty()) {
        painter.setPen(textColour);
        // A title wider than its box ends in an ellipsis instead of stopping mid-letter.
        const QString shown =
            painter.fontMetrics().elidedText(entry.title, Qt::ElideRight, textBox.width());
        painter.drawText(textBox, Qt::AlignLeft | Qt::AlignTop, shown);
    }
    painter.restore();
}

QRect FancyListDrawer::drawPlayMark(QPainter& painter, const QColor& colour,
                                    const QRect& textBox) const
{
    QFont bold = painter.font();
    bold.setBold(true);
    painter.setFont(bold);
    const auto marked = FancyListGeometry::markCaption(textBox, painter.fontMetrics().height());
    const QRect& m = marked.mark;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPolygon(QPolygon(
        {m.topLeft(), QPoint(m.right() + 1, m.center().y()), QPoint(m.left(), m.bottom() + 1)}));
    return marked.text;
}

void FancyListDrawer::drawThumb(QPainter& painter, const QImage& picture, const QRect& box) const
{
    if (box.isEmpty()) {
        return;
    }
    painter.fillRect(box, Qt::black);
    if (picture.isNull()) {
        return;
    }
    const QRect target = FancyListGeometry::fitPicture(picture.width(), picture.height(), box);
    if (!target.isEmpty()) {
        painter.drawImage(target, picture, picture.rect());
    }
}

void FancyListDrawer::drawDropLine(QPainter& painter, const QPalette& colours, int y,
                                   int width) const
{
    painter.fillRect(QRect(0, std::max(y - 1, 0), width, 3),
                     colours.color(QPalette::HighlightedText));
}

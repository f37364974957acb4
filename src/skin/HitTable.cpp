#include "skin/HitTable.h"

HitTable::HitTable(int count) : m_rects(static_cast<std::size_t>(count > 0 ? count : 0)) {}

HitTable HitTable::fromPieces(int count, const std::vector<SkinPiece>& pieces)
{
    HitTable table(count);
    for (const SkinPiece& piece : pieces) {
        table.set(piece.region, piece.hit);
    }
    return table;
}

QRect HitTable::operator[](int index) const
{
    return index >= 0 && index < count() ? m_rects[static_cast<std::size_t>(index)] : QRect();
}

void HitTable::set(int index, const QRect& rect)
{
    if (index >= 0 && index < count()) {
        m_rects[static_cast<std::size_t>(index)] = rect;
    }
}

int HitTable::hitTest(QPoint point) const
{
    for (int i = 0; i < count(); ++i) {
        const QRect& rect = m_rects[static_cast<std::size_t>(i)];
        if (!rect.isEmpty() && rect.contains(point)) {
            return i;
        }
    }
    return -1;
}

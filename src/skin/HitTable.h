#pragma once

#include "skin/SkinPiece.h"

#include <QPoint>
#include <QRect>
#include <type_traits>
#include <vector>

// The rectangles of a skinned window that answer the mouse, by region index. Entries no piece
// fills stay empty and never match.
class HitTable
{
public:
    explicit HitTable(int count = 0);
    // The hit rectangles of the pieces that fill a region below `count`.
    static HitTable fromPieces(int count, const std::vector<SkinPiece>& pieces);

    int count() const { return static_cast<int>(m_rects.size()); }
    // Empty for an index outside the table.
    QRect operator[](int index) const;
    void set(int index, const QRect& rect);
    // The lowest index whose rectangle holds the point, or -1: where rectangles overlap, the
    // lower index wins.
    int hitTest(QPoint point) const;

    template <typename Region>
    requires std::is_enum_v<Region> QRect operator[](Region region) const
    {
        return (*this)[static_cast<int>(region)];
    }
    template <typename Region>
    requires std::is_enum_v<Region> Region regionAt(QPoint point)
    const { return static_cast<Region>(hitTest(point)); }

    bool operator==(const HitTable&) const = default;

private:
    std::vector<QRect> m_rects;
};

#include "skin/EdgeResize.h"

#include "util/Rounding.h"

#include <algorithm>

EdgeResize::EdgeResize(double twipsPerPixelX, double twipsPerPixelY)
    : m_tppx(twipsPerPixelX), m_tppy(twipsPerPixelY),
      m_minWidth(static_cast<double>(korvane::roundHalfEven(kMinimumPixels * twipsPerPixelX))),
      m_minHeight(static_cast<double>(korvane::roundHalfEven(kMinimumPixels * twipsPerPixelY)))
{}

QSizeF EdgeResize::twips(QSize pixels) const
{
    return {pixels.width() * m_tppx, pixels.height() * m_tppy};
}

void EdgeResize::press(double x, double y, QSize windowSize)
{
    const QSizeF size = twips(windowSize);
    const bool right = size.width() - x * m_tppx <= kTolerance;
    const bool bottom = size.height() - y * m_tppy <= kTolerance;
    if (right && bottom) {
        m_edge = Edge::Corner;
    } else if (bottom) {
        m_edge = Edge::Bottom;
    } else if (right) {
        m_edge = Edge::Right;
    }
}

EdgeResize::Step EdgeResize::move(double x, double y, QSize windowSize)
{
    Step step;
    const QSizeF size = twips(windowSize);
    const bool nearRight = size.width() - x * m_tppx <= kTolerance;
    const bool nearBottom = size.height() - y * m_tppy <= kTolerance;
    if (nearRight && nearBottom) {
        step.pointer = Pointer::SizeNWSE;
    } else if (nearBottom) {
        step.pointer = Pointer::SizeNS;
    } else if (nearRight) {
        step.pointer = Pointer::SizeWE;
    }

    if (m_edge != Edge::None) {
        const double dx = x * m_tppx - m_lastX;
        const double dy = y * m_tppy - m_lastY;
        double width = size.width();
        double height = size.height();
        if (m_edge == Edge::Corner || m_edge == Edge::Right) {
            width = std::max(x > 0 ? width + dx : m_minWidth, m_minWidth);
        }
        if (m_edge == Edge::Corner || m_edge == Edge::Bottom) {
            height = std::max(y > 0 ? height + dy : m_minHeight, m_minHeight);
        }
        const bool widthAtMinimum = width <= m_minWidth;
        const bool heightAtMinimum = height <= m_minHeight;
        const bool stops =
            (m_edge == Edge::Corner && widthAtMinimum && heightAtMinimum) ||
            (m_edge == Edge::Right && widthAtMinimum) ||
            (m_edge == Edge::Bottom && heightAtMinimum && size.width() <= m_minWidth);
        if (stops) {
            m_edge = Edge::None;
        }
        // A size beyond the 16-bit twips range leaves that dimension as it was.
        if (width > kLimit) {
            width = size.width();
        }
        if (height > kLimit) {
            height = size.height();
        }
        step.size = QSize(static_cast<int>(korvane::roundHalfEven(width / m_tppx)),
                          static_cast<int>(korvane::roundHalfEven(height / m_tppy)));
    }
    m_lastX = static_cast<double>(korvane::roundHalfEven(x * m_tppx));
    m_lastY = static_cast<double>(korvane::roundHalfEven(y * m_tppy));
    return step;
}

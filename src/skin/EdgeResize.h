#pragma once

#include <QSize>
#include <QSizeF>
#include <optional>

// Resizing the frameless window by its right edge, bottom edge or corner, in twips: a pointer
// within 64 twips of an edge grabs it, the window never gets smaller than 370 × 370 pixels, and a
// drag that reaches the minimum stops until the button is released. Pure arithmetic; the window
// feeds it mouse positions in client pixels.
class EdgeResize
{
public:
    enum class Edge
    {
        None,
        Right,
        Bottom,
        Corner,
    };
    enum class Pointer
    {
        Arrow = 0,
        SizeNS = 7,
        SizeNWSE = 8,
        SizeWE = 9,
    };
    struct Step
    {
        Pointer pointer = Pointer::Arrow;
        std::optional<QSize> size; // new window size in pixels, when an edge is held
    };

    static constexpr int kTolerance = 64;
    static constexpr int kMinimumPixels = 370;
    static constexpr int kLimit = 32767; // the twips range a dragged size must stay within

    EdgeResize(double twipsPerPixelX, double twipsPerPixelY);

    // windowSize is the window's size in pixels; x and y the event's client position.
    void press(double x, double y, QSize windowSize);
    Step move(double x, double y, QSize windowSize);
    void release() { m_edge = Edge::None; }
    Edge edge() const { return m_edge; }

private:
    QSizeF twips(QSize pixels) const;

    double m_tppx;
    double m_tppy;
    double m_minWidth;
    double m_minHeight;
    Edge m_edge = Edge::None;
    double m_lastX = 0;
    double m_lastY = 0;
};

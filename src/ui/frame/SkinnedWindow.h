#pragma once

#include "skin/ButtonStates.h"
#include "skin/HitTable.h"
#include "skin/SkinPiece.h"
#include "ui/frame/WindowDrag.h"

#include <QPoint>
#include <QRect>
#include <vector>

class QEvent;
class QMouseEvent;
class QPainter;
class QWidget;
class SkinImages;

// What every skinned window does alike: it paints its piece list, tests the mouse against the
// pieces' hit rectangles, lights, presses and releases its buttons, reports a click where a
// left button that went down on the window comes up over an enabled region, and moves by its
// caption region. A window derives from its Qt class and from this, feeds its events through
// skinEvent() and supplies its pieces and what its regions do.
class SkinnedWindow
{
public:
    const ButtonStates& buttonStates() const { return m_states; }
    // The regions that answer the mouse, for the window's current size and pieces.
    HitTable hitTable() const;
    // The region under a point of the client area, or -1.
    int regionAt(QPoint clientPoint) const;
    // The region under the mouse pointer now, or -1.
    int regionUnderCursor() const;
    // The window follows the pointer, once it has moved, until the button is released. The
    // press point is given on the screen and in the window's own coordinates.
    void beginWindowDrag(QPoint globalPressPoint, QPoint windowPressPoint);
    // A move during a drag (the pointer's global place and the buttons held); false when no
    // drag is under way.
    bool followWindowDrag(QPoint globalPointer, Qt::MouseButtons buttons);
    void endWindowDrag() { m_drag.release(); }

protected:
    // `images` may be null for a window that draws its pieces itself.
    SkinnedWindow(QWidget& window, ButtonStates states, int captionRegion,
                  const SkinImages* images);
    virtual ~SkinnedWindow();
    SkinnedWindow(const SkinnedWindow&) = delete;
    SkinnedWindow& operator=(const SkinnedWindow&) = delete;

    // Paint, press, move, release and double-click of the window itself; true when handled.
    bool skinEvent(QEvent* event);

    // The pieces in painting order for the window's size and state.
    virtual std::vector<SkinPiece> skinPieces() const = 0;
    // A click on an enabled region.
    virtual void skinClicked(int region) = 0;
    virtual void drawSkinPiece(QPainter& painter, int slot, const QRect& rect) const;
    virtual void paintSkinBackground(QPainter& painter);
    virtual void skinPainted() {}
    // After a press has set the button states; `region` may be -1.
    virtual void skinPressed(QMouseEvent& event, int region);
    // Whether a press on the caption region may move the window now.
    virtual bool captionMayDrag() const { return true; }
    virtual void skinMoved(QMouseEvent& event);
    // Any button came up over `region` (or -1), before a click is reported.
    virtual void skinReleased(QMouseEvent& event, int region);
    // True when the window takes a double-click itself; otherwise it counts as another press.
    virtual bool skinDoubleClicked(int region);

    ButtonStates& mutableButtonStates() { return m_states; }
    // A move with no button held over `region`, as the pointer makes it.
    void hoverRegion(int region);
    // A hidden skin paints its background only and leaves the mouse alone.
    void setSkinHidden(bool hidden);
    bool isSkinHidden() const { return m_hidden; }

private:
    void paintPieces();
    void handlePress(QMouseEvent& event);
    void handleMove(QMouseEvent& event);
    void handleRelease(QMouseEvent& event);

    QWidget& m_window;
    ButtonStates m_states;
    int m_captionRegion;
    const SkinImages* m_images;
    bool m_hidden = false;
    bool m_clickPending = false;
    WindowDrag m_drag;
};

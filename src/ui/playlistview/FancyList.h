#pragma once

#include "playlist/PlaylistModel.h"
#include "ui/playlistview/FancyListDrawer.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>

class QScrollBar;

// The playlist's self-drawn thumbnail list: equally tall rows with a picture and a caption, one
// selected row and a vertical scroll bar. It is a view of a playlist model (its own, until it is
// given one) and knows nothing of media; the host reacts to its signals. The playing entry
// carries a play mark and a bold caption; a row dragged with the left button moves in the model.
// How a row looks is its drawer's business.
class FancyList : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int count READ count)
    Q_PROPERTY(int selectedItem READ selectedItem WRITE setSelectedItem)
    Q_PROPERTY(QString selectedText READ selectedText)
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(int padding READ padding WRITE setPadding)
    Q_PROPERTY(int imageWidth READ imageWidth WRITE setImageWidth)
    Q_PROPERTY(int imageHeight READ imageHeight WRITE setImageHeight)
    Q_PROPERTY(bool thumbnails READ thumbnails WRITE setThumbnails)

public:
    explicit FancyList(QWidget* parent = nullptr);

    // The skin's look: 80-pixel rows with 64 × 64 pictures, light text on the frame's dark olive,
    // the menu colour for the selection.
    void useSkinLook();
    // Shows this model from now on; the list keeps using it until it is given another.
    void setModel(PlaylistModel* model);
    PlaylistModel* model() const { return m_model; }

    int count() const { return m_model->count(); }
    int selectedItem() const { return m_model->selectedItem(); }
    void setSelectedItem(int index);
    QString selectedText() const;
    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);
    int padding() const { return m_drawer.padding(); }
    void setPadding(int padding);
    int imageWidth() const { return m_drawer.imageWidth(); }
    void setImageWidth(int width);
    int imageHeight() const { return m_drawer.imageHeight(); }
    void setImageHeight(int height);
    bool thumbnails() const { return m_drawer.thumbnails(); }
    void setThumbnails(bool on);

    const PlaylistEntry& item(int index) const { return m_model->entry(index); }

    // Moves the view by a wheel turn of delta units (120 for one notch towards the top).
    void scrollBy(int delta);

    // Scroll offset in pixels and its largest value.
    int scrollOffset() const;
    int scrollMaximum() const;
    bool isScrollBarShown() const;
    QScrollBar* scrollBar() const { return m_scrollBar; }
    // The gap a dragged row would drop into now, -1 while no row is dragged.
    int dropSlot() const { return m_dragging ? m_dropSlot : -1; }

signals:
    void entryClicked();
    void entryDoubleClicked();
    void filesDropped(const QStringList& paths, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers modifiers, const QPointF& position);
    void pointerPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                        const QPointF& position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void dragRowTo(const QPointF& position);
    void dropDraggedRow();
    void showEntryTooltip(const QPoint& position, const QPoint& globalPosition);
    void entriesChanged();
    void updateScrollRange();
    void placeScrollBar();
    void repaintList();

    PlaylistModel m_ownModel;
    PlaylistModel* m_model = &m_ownModel;
    FancyListDrawer m_drawer;
    int m_itemHeight = 64;
    // A release completes a click only after a press here; the release that ends a double
    // click completes nothing.
    bool m_pressed = false;
    // A row pressed with the left button follows the pointer once it has moved far enough, and
    // drops into the gap nearest the pointer.
    int m_dragRow = -1;
    QPoint m_pressPosition;
    bool m_dragging = false;
    int m_dropSlot = -1;
    QScrollBar* m_scrollBar = nullptr;
};

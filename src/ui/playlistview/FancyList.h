#pragma once

#include "playlist/PlaylistModel.h"

#include <QImage>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>

class QPainter;
class QScrollBar;

// The playlist's self-drawn thumbnail list: equally tall rows with a picture and a caption, one
// selected row and a vertical scroll bar. It is a view of a playlist model (its own, until it is
// given one) and knows nothing of media; the host reacts to its signals. The playing entry
// carries a play mark and a bold caption; a row dragged with the left button moves in the model.
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
    Q_PROPERTY(bool noThumbBlack READ noThumbBlack WRITE setNoThumbBlack)
    Q_PROPERTY(bool refresh READ refresh WRITE setRefresh)

public:
    explicit FancyList(QWidget* parent = nullptr);

    // The skin's colours: light text on the frame's dark olive, the menu colour for the selection.
    void useSkinColours();
    // Shows this model from now on; the list keeps using it until it is given another.
    void setModel(PlaylistModel* model);
    PlaylistModel* model() const { return m_model; }

    int count() const { return m_model->count(); }
    int selectedItem() const { return m_model->selectedItem(); }
    void setSelectedItem(int index);
    QString selectedText() const;
    int itemHeight() const { return m_itemHeight; }
    void setItemHeight(int height);
    int padding() const { return m_padding; }
    void setPadding(int padding);
    int imageWidth() const { return m_imageWidth; }
    void setImageWidth(int width);
    int imageHeight() const { return m_imageHeight; }
    void setImageHeight(int height);
    bool thumbnails() const { return m_thumbnails; }
    void setThumbnails(bool on);
    bool noThumbBlack() const { return m_noThumbBlack; }
    void setNoThumbBlack(bool on);
    bool refresh() const { return m_refresh; }
    void setRefresh(bool on);

    const PlaylistEntry& item(int index) const { return m_model->entry(index); }

    void addItem(const QString& text, const QImage& picture = QImage());
    void removeItem(int index);
    void clear();
    // Draws the picture fitted into the box and centred, on black unless NoThumbBlack.
    void renderThumb(QPainter& painter, const QImage& picture, int x, int y, int width,
                     int height) const;
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
    void keyReleased(int key, bool shift);
    void pointerMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                      const QPointF& position);
    void pointerPressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                        const QPointF& position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
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
    void repaintIfRefresh();
    void paintRow(QPainter& painter, int row, int offset, int surfaceWidth, bool playing) const;

    PlaylistModel m_ownModel;
    PlaylistModel* m_model = &m_ownModel;
    int m_itemHeight = 64;
    int m_padding = 8;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    bool m_thumbnails = true;
    bool m_noThumbBlack = false;
    bool m_refresh = true;
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

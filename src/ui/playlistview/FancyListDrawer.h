#pragma once

#include <QRect>

class QImage;
class QColor;
class QPainter;
class QPalette;
struct PlaylistEntry;

// Draws the thumbnail list for its widget: the background, each row with its separator,
// picture, play mark and caption, and the line where a dragged row would land. The list decides
// which rows show and where they lie; the drawer decides how they look, in the list's palette.
class FancyListDrawer
{
public:
    // One row as the list hands it over.
    struct Row
    {
        QRect rect;
        bool selected = false;
        bool playing = false;
        // Pixels at the right edge that the caption leaves free: the scroll bar's.
        int reservedRight = 0;
    };

    int padding() const { return m_padding; }
    void setPadding(int padding) { m_padding = padding; }
    int imageWidth() const { return m_imageWidth; }
    void setImageWidth(int width) { m_imageWidth = width; }
    int imageHeight() const { return m_imageHeight; }
    void setImageHeight(int height) { m_imageHeight = height; }
    bool thumbnails() const { return m_thumbnails; }
    void setThumbnails(bool on) { m_thumbnails = on; }

    void fillBackground(QPainter& painter, const QPalette& colours, const QRect& surface) const;
    void drawRow(QPainter& painter, const QPalette& colours, const PlaylistEntry& entry,
                 const Row& row) const;
    // The picture fitted into the box and centred, on black.
    void drawThumb(QPainter& painter, const QImage& picture, const QRect& box) const;
    // A line across the gap whose top edge lies at y.
    void drawDropLine(QPainter& painter, const QPalette& colours, int y, int width) const;

private:
    // The play mark at the start of the caption, which then begins right of it in bold.
    QRect drawPlayMark(QPainter& painter, const QColor& colour, const QRect& textBox) const;

    int m_padding = 8;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    bool m_thumbnails = true;
};

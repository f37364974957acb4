#include "ui/playlistview/FancyList.h"

#include "playlist/EntryTooltip.h"
#include "skin/FancyListGeometry.h"
#include "util/Logging.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr int ScrollBarMargin = 4;

QStringList localFilesOf(const QMimeData* data)
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

} // namespace

FancyList::FancyList(QWidget* parent)
    : QWidget(parent), m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    // Every paint covers the whole surface, so Qt need not clear it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    m_scrollBar->setRange(0, 0);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] { update(); });
    placeScrollBar();
    setModel(&m_ownModel);
}

void FancyList::useSkinLook()
{
    setImageWidth(64);
    setImageHeight(64);
    setItemHeight(80);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(38, 43, 35));
    colours.setColor(QPalette::Button, QColor(58, 65, 53));
    colours.setColor(QPalette::ButtonText, QColor(242, 255, 255));
    colours.setColor(QPalette::Highlight, QColor(105, 112, 97));
    colours.setColor(QPalette::HighlightedText, QColor(242, 255, 255));
    setPalette(colours);
}

void FancyList::setModel(PlaylistModel* model)
{
    if (model == nullptr) {
        model = &m_ownModel;
    }
    disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    connect(m_model, &PlaylistModel::entryAdded, this, &FancyList::entriesChanged);
    connect(m_model, &PlaylistModel::entryRemoved, this, &FancyList::entriesChanged);
    connect(m_model, &PlaylistModel::cleared, this, &FancyList::entriesChanged);
    connect(m_model, &PlaylistModel::selectionChanged, this, &FancyList::repaintList);
    connect(m_model, &PlaylistModel::entryMoved, this, &FancyList::repaintList);
    connect(m_model, &PlaylistModel::playingChanged, this, &FancyList::repaintList);
    entriesChanged();
}

void FancyList::entriesChanged()
{
    // The dragged row may be gone; a drag never moves another entry than the one pressed.
    m_dragRow = -1;
    m_dragging = false;
    updateScrollRange();
    repaintList();
}

void FancyList::setSelectedItem(int index)
{
    if (index < 0 || index >= count()) {
        return;
    }
    m_model->select(index);
}

QString FancyList::selectedText() const
{
    return m_model->selectedTitle();
}

void FancyList::setItemHeight(int height)
{
    // A row must have some height: every row and hit computation divides by it.
    if (height < 1) {
        qCDebug(lcPlaylist) << "ignored row height" << height;
        return;
    }
    m_itemHeight = height;
    updateScrollRange();
    repaintList();
}

void FancyList::setPadding(int padding)
{
    m_drawer.setPadding(padding);
    repaintList();
}

void FancyList::setImageWidth(int width)
{
    m_drawer.setImageWidth(width);
    repaintList();
}

void FancyList::setImageHeight(int height)
{
    m_drawer.setImageHeight(height);
    repaintList();
}

void FancyList::setThumbnails(bool on)
{
    m_drawer.setThumbnails(on);
}

void FancyList::scrollBy(int delta)
{
    m_scrollBar->setValue(
        FancyListGeometry::scrolledOffset(m_scrollBar->value(), delta, m_scrollBar->maximum()));
    repaintList();
}

int FancyList::scrollOffset() const
{
    return m_scrollBar->value();
}

int FancyList::scrollMaximum() const
{
    return m_scrollBar->maximum();
}

bool FancyList::isScrollBarShown() const
{
    return !m_scrollBar->isHidden();
}

void FancyList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    m_drawer.fillBackground(painter, colours, rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setFont(font());
    const int offset = m_scrollBar->value();
    const auto rows = FancyListGeometry::visibleRows(offset, m_itemHeight, height(), count());
    const int playing = m_model->playingIndex();
    FancyListDrawer::Row shown;
    shown.reservedRight = m_scrollBar->isHidden() ? 0 : width() - m_scrollBar->x();
    for (int row = rows.first; row <= rows.last; ++row) {
        shown.rect =
            QRect(0, FancyListGeometry::rowTop(row, m_itemHeight, offset), width(), m_itemHeight);
        shown.selected = row == m_model->selectedItem();
        shown.playing = row == playing;
        m_drawer.drawRow(painter, colours, m_model->entry(row), shown);
    }
    if (m_dragging && m_dropSlot >= 0) {
        // Where the dragged row would land.
        m_drawer.drawDropLine(painter, colours,
                              FancyListGeometry::rowTop(m_dropSlot, m_itemHeight, offset), width());
    }
}

void FancyList::resizeEvent(QResizeEvent*)
{
    placeScrollBar();
    updateScrollRange();
    repaintList();
}

void FancyList::mousePressEvent(QMouseEvent* event)
{
    m_pressed = true;
    m_dragging = false;
    m_dragRow = -1;
    // A right-click selects its row first, so its popup acts on what the user pointed at.
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        m_model->select(FancyListGeometry::rowAt(m_scrollBar->value(), event->position().y(),
                                                 m_itemHeight, count()));
    }
    if (event->button() == Qt::LeftButton) {
        m_dragRow = m_model->selectedItem();
        m_pressPosition = event->position().toPoint();
    }
    emit pointerPressed(event->button(), event->modifiers(), event->position());
}

void FancyList::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (event->button() == Qt::LeftButton && m_dragging) {
        dropDraggedRow();
        return;
    }
    m_dragRow = -1;
    if (wasPressed && rect().contains(event->position().toPoint())) {
        emit entryClicked();
    }
}

void FancyList::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_pressed = false;
    m_dragRow = -1;
    m_dragging = false;
    if (event->button() == Qt::LeftButton) {
        m_model->select(FancyListGeometry::rowAt(m_scrollBar->value(), event->position().y(),
                                                 m_itemHeight, count()));
    }
    emit entryDoubleClicked();
}

void FancyList::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & Qt::LeftButton) && m_dragRow >= 0) {
        dragRowTo(event->position());
    }
}

void FancyList::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    // A notch moves one row, as desktop lists do; Scroll keeps its own step for its callers.
    m_scrollBar->setValue(FancyListGeometry::wheelOffset(m_scrollBar->value(), delta, m_itemHeight,
                                                         m_scrollBar->maximum()));
    repaintList();
    event->accept();
}

void FancyList::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFilesOf(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void FancyList::dragMoveEvent(QDragMoveEvent* event)
{
    if (!localFilesOf(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void FancyList::dropEvent(QDropEvent* event)
{
    const QStringList paths = localFilesOf(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    qCDebug(lcPlaylist) << "dropped" << paths.size() << "files on the list";
    emit filesDropped(paths, event->buttons(), event->modifiers(), event->position());
}

void FancyList::dragRowTo(const QPointF& position)
{
    if (!m_dragging) {
        if (!FancyListGeometry::dragStarted(m_pressPosition, position.toPoint(),
                                            QApplication::startDragDistance())) {
            return;
        }
        m_dragging = true;
    }
    // Past the top or bottom edge the list scrolls along, so a row can travel beyond the view.
    const int edge = position.y() < 0 ? -1 : (position.y() > height() ? 1 : 0);
    m_scrollBar->setValue(m_scrollBar->value() + edge * std::max(m_itemHeight / 4, 1));
    const int slot =
        FancyListGeometry::dropSlot(m_scrollBar->value(), position.y(), m_itemHeight, count());
    if (slot != m_dropSlot) {
        m_dropSlot = slot;
        update();
    }
}

void FancyList::dropDraggedRow()
{
    const int from = m_dragRow;
    const int to = FancyListGeometry::moveTarget(from, m_dropSlot, count());
    m_dragRow = -1;
    m_dragging = false;
    m_dropSlot = -1;
    update();
    // A drag is not a click: the play order is not moved to the dragged entry.
    m_model->move(from, to);
}

bool FancyList::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        showEntryTooltip(help->pos(), help->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void FancyList::showEntryTooltip(const QPoint& position, const QPoint& globalPosition)
{
    const int row =
        FancyListGeometry::rowAt(m_scrollBar->value(), position.y(), m_itemHeight, count());
    if (row < 0 || m_scrollBar->geometry().contains(position)) {
        QToolTip::hideText();
        return;
    }
    const PlaylistEntry& entry = m_model->entry(row);
    const QFileInfo file(entry.path);
    const qint64 size = file.isFile() ? file.size() : -1;
    const int top = FancyListGeometry::rowTop(row, m_itemHeight, m_scrollBar->value());
    // The tip stays while the pointer is over the same row and goes when it leaves it.
    QToolTip::showText(globalPosition, EntryTooltip::text(entry, size), this,
                       QRect(0, top, width(), m_itemHeight));
}

void FancyList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        update();
    }
    QWidget::changeEvent(event);
}

void FancyList::updateScrollRange()
{
    m_scrollBar->setRange(0, FancyListGeometry::scrollMaximum(count(), m_itemHeight, height()));
    m_scrollBar->setSingleStep(m_itemHeight);
    m_scrollBar->setPageStep(std::max(height(), 1));
}

void FancyList::placeScrollBar()
{
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth - ScrollBarMargin, m_scrollBar->y(), barWidth,
                             std::max(height() - ScrollBarMargin, 0));
}

void FancyList::repaintList()
{
    m_scrollBar->setVisible(FancyListGeometry::scrollBarVisible(count(), m_itemHeight, height()));
    update();
}

#include "ui/MainWindow.h"

#include "ui/AppIcon.h"
#include "ui/FancyList.h"
#include "ui/TransportBar.h"
#include "ui/VideoArea.h"
#include "util/Product.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QWindow>

namespace {
constexpr int kCaptionHeight = 28;
} // namespace

MainWindow::MainWindow(SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_settings(settings)
{
    setWindowIcon(korvaneIcon());
    setWindowTitle(korvane::kProductName);
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lblCaption"));
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont captionFont = m_caption->font();
    captionFont.setBold(true);
    m_caption->setFont(captionFont);

    m_close = new QToolButton(this);
    m_close->setText(QStringLiteral("\u2715"));
    m_close->setAutoRaise(true);
    m_close->setToolTip(tr("Close"));
    connect(m_close, &QToolButton::clicked, this, &QWidget::close);

    m_list = new FancyList(this);
    m_list->setObjectName(QStringLiteral("FancyList1"));
    m_list->setImageWidth(64);
    m_list->setImageHeight(64);
    m_list->setItemHeight(80);
    m_video = new VideoArea(this);
    m_video->setObjectName(QStringLiteral("VideoFrame"));
    connect(m_video, &VideoArea::doubleClicked, this,
            [this] { setVideoFullScreen(!m_videoFullScreen); });
    connect(m_video, &VideoArea::escapePressed, this, [this] { setVideoFullScreen(false); });
    m_transport = new TransportBar(this);
    m_intakeProgress = new QLabel(this);
    m_intakeProgress->setObjectName(QStringLiteral("lblIntake"));
    m_intakeProgress->setAlignment(Qt::AlignCenter);
    m_intakeProgress->setAutoFillBackground(true);
    m_intakeProgress->hide();

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setToolTip(korvane::kApplicationTitle);

    resize(kDefaultWidth, kDefaultHeight);
    // Where the settings do not place it, the window opens centred, as a fresh start does.
    const Settings& stored = m_settings.settings();
    move(m_settings.toPixels(stored.WindowLeft, stored.WindowTop));
    setCaptionText(korvane::kProductName);
    connect(&m_settings, &SettingsStore::changed, this, &MainWindow::SetLoadedOptions);
}

MainWindow::~MainWindow() = default;

WindowPlacement MainWindow::placement() const
{
    return WindowPlacement{pos(), m_maximized, m_loading};
}

void MainWindow::SetLoadedOptions()
{
    const Settings& stored = m_settings.settings();
    if (m_settings.rememberLastSize()) {
        const QPoint size = m_settings.toPixels(stored.WindowWidth, stored.WindowHeight);
        resize(size.x(), size.y());
    }
    if (m_settings.rememberLastPos()) {
        // Placed as stored, even off the current screens.
        move(m_settings.toPixels(stored.WindowLeft, stored.WindowTop));
    }
    SetTopmost(m_settings.alwaysOnTop());
    if (m_settings.showInTray() && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray->show();
    } else {
        m_tray->hide();
    }
    if (m_mediaActive) {
        rebuildCaption();
    }
}

void MainWindow::showMediaCaption(const QString& title, const QString& path)
{
    m_mediaTitle = title;
    m_mediaPath = path;
    rebuildCaption();
}

void MainWindow::setMediaActive(bool active)
{
    m_mediaActive = active;
}

void MainWindow::rebuildCaption()
{
    const std::optional<TitleBarMode> mode = m_settings.titleBarMode();
    if (!mode) {
        return;
    }
    // Transport states can be active before any item is (Play pressed on a fresh playlist).
    if (m_mediaPath.isEmpty()) {
        setCaptionText(korvane::kProductName);
        return;
    }
    const QString named = QString(korvane::kProductName) + QStringLiteral(" - (");
    switch (*mode) {
    case TitleBarMode::FileName:
        setCaptionText(named + m_mediaTitle + u')');
        break;
    case TitleBarMode::FullPath:
        setCaptionText(named + m_mediaPath + u')');
        break;
    case TitleBarMode::ProductOnly:
        setCaptionText(korvane::kProductName);
        break;
    }
}

void MainWindow::setPlaylistVisible(bool visible)
{
    m_playlistVisible = visible;
    layoutParts();
}

void MainWindow::setIntakeProgress(int done, int total)
{
    // A single file needs no count.
    if (total - done > 1) {
        m_intakeProgress->setText(tr("Adding files: %1 of %2").arg(done).arg(total));
        m_intakeProgress->show();
        m_intakeProgress->raise();
    } else {
        m_intakeProgress->hide();
    }
}

void MainWindow::setVideoFullScreen(bool on)
{
    if (on == m_videoFullScreen) {
        return;
    }
    m_videoFullScreen = on;
    for (QWidget* part : {static_cast<QWidget*>(m_caption), static_cast<QWidget*>(m_close),
                          static_cast<QWidget*>(m_transport)}) {
        part->setVisible(!on);
    }
    if (on) {
        m_wasMaximizedBeforeFullScreen = isMaximized();
        m_maximized = true; // keep the stored geometry while the screen is borrowed
        showFullScreen();
    } else {
        m_maximized = m_wasMaximizedBeforeFullScreen;
        showNormal();
    }
    layoutParts();
    m_video->setFocus();
}

void MainWindow::SetTopmost(bool topmost)
{
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) {
        return;
    }
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (wasVisible) {
        show(); // changing window flags hides a visible window
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(QRect(0, 0, width(), kCaptionHeight), palette().button());
    painter.setPen(palette().mid().color());
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutParts();
    if (!m_maximized && !m_loading) {
        m_settings.recordWindowSize(size());
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    // The caption strip moves the window, as a title bar would.
    if (event->button() == Qt::LeftButton && event->position().y() < kCaptionHeight &&
        windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    QWidget::mousePressEvent(event);
}

void MainWindow::layoutParts()
{
    m_close->setGeometry(width() - kCaptionHeight, 2, kCaptionHeight - 4, kCaptionHeight - 4);
    m_caption->setGeometry(8, 0, qMax(0, width() - 110), kCaptionHeight);
    if (m_videoFullScreen) {
        m_list->hide();
        m_video->setGeometry(rect());
        return;
    }
    // The playlist stands in the left third of the content area, the video beside it.
    const int contentWidth = width() - 30;
    const int contentHeight = qMax(0, height() - 203);
    const QRect listRect(15, 56, contentWidth / 3, contentHeight);
    m_list->setGeometry(listRect);
    m_list->setVisible(m_playlistVisible);
    m_intakeProgress->setGeometry(listRect.left(), listRect.bottom() - 20, listRect.width(), 20);
    const int videoLeft = m_playlistVisible ? listRect.right() + 7 : 15;
    m_video->setGeometry(videoLeft, 56, width() - 15 - videoLeft, contentHeight);
    m_transport->setGeometry(15, 56 + contentHeight + 8, contentWidth,
                             qMax(0, height() - (56 + contentHeight + 8) - 10));
    if (m_mediaActive) {
        rebuildCaption();
    }
}

void MainWindow::setCaptionText(const QString& text)
{
    m_captionText = text;
    m_caption->setToolTip(text);
    m_caption->setText(
        m_caption->fontMetrics().elidedText(text, Qt::ElideRight, qMax(0, width() - 110)));
}

#include "ui/MainWindow.h"

#include "app/ConfigFile.h"
#include "app/StartupCommand.h"
#include "app/Twips.h"
#include "playlist/SupportedFiles.h"
#include "ui/AppIcon.h"
#include "util/Logging.h"
#include "util/Rounding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QWindow>

namespace {
constexpr int kCaptionHeight = 28;
constexpr QLatin1StringView kApplicationTitle("Taskel Media Player");
} // namespace

MainWindow::MainWindow(const SettingsEnvironment& environment, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_environment(environment),
      m_settings(defaultSettings(environment)), m_configPath(ConfigFile::defaultPath())
{
    setWindowIcon(korvaneIcon());
    setWindowTitle(QStringLiteral("Korvane"));
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

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setToolTip(kApplicationTitle);

    resize(kDefaultWidth, kDefaultHeight);
    // Where the settings do not place it, the window opens centred, as a fresh start does.
    move(static_cast<int>(
             korvane::roundHalfEven(m_settings.WindowLeft / environment.twipsPerPixelX)),
         static_cast<int>(
             korvane::roundHalfEven(m_settings.WindowTop / environment.twipsPerPixelY)));
    setCaptionText(QStringLiteral("Korvane"));
}

MainWindow::~MainWindow() = default;

void MainWindow::LoadConfigurations()
{
    const ConfigFile::LoadResult result = ConfigFile::load(m_configPath, m_environment);
    m_settings = result.settings;
    if (result.usedDefaults) {
        qCDebug(lcApp) << "settings reset to defaults" << (result.written ? "" : "(not saved)");
    }
    SetLoadedOptions();
}

bool MainWindow::WriteConfigurations()
{
    ConfigFile::recordPosition(m_settings, m_maximized, m_loading,
                               x() * m_environment.twipsPerPixelX,
                               y() * m_environment.twipsPerPixelY);
    return ConfigFile::write(m_configPath, m_settings);
}

void MainWindow::SetLoadedOptions()
{
    if (m_settings.RememberLastSize) {
        resize(static_cast<int>(
                   korvane::roundHalfEven(m_settings.WindowWidth / m_environment.twipsPerPixelX)),
               static_cast<int>(
                   korvane::roundHalfEven(m_settings.WindowHeight / m_environment.twipsPerPixelY)));
    }
    if (m_settings.RememberLastPos) {
        // Placed as stored, even off the current screens.
        move(static_cast<int>(
                 korvane::roundHalfEven(m_settings.WindowLeft / m_environment.twipsPerPixelX)),
             static_cast<int>(
                 korvane::roundHalfEven(m_settings.WindowTop / m_environment.twipsPerPixelY)));
    }
    SetTopmost(m_settings.AlwaysOnTop != 0);
    if (m_settings.ShowInTray && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray->show();
    } else {
        m_tray->hide();
    }
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

void MainWindow::receiveCommand(const QString& text)
{
    if (text.isEmpty()) {
        return;
    }
    qCDebug(lcApp).noquote() << "received:" << text;
    QApplication::alert(this);
    bool playNow = true;
    QString path = text;
    if (StartupCommand::hasAddMarker(path)) {
        path = StartupCommand::withoutAddMarker(path);
        playNow = false;
    }
    emit fileRequested(FileNameOfPath(path), path, m_settings.LaunchFullscreen != 0, playNow);
}

void MainWindow::shutdown()
{
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    if (!WriteConfigurations()) {
        qCWarning(lcApp) << "could not save settings to" << m_configPath;
    }
    m_tray->hide();
    QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    shutdown();
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
    layoutCaption();
    if (!m_maximized && !m_loading) {
        m_settings.WindowWidth = korvane::twipsToLong(width() * m_environment.twipsPerPixelX);
        m_settings.WindowHeight = korvane::twipsToLong(height() * m_environment.twipsPerPixelY);
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

void MainWindow::layoutCaption()
{
    m_close->setGeometry(width() - kCaptionHeight, 2, kCaptionHeight - 4, kCaptionHeight - 4);
    m_caption->setGeometry(8, 0, qMax(0, width() - 110), kCaptionHeight);
}

void MainWindow::setCaptionText(const QString& text)
{
    m_captionText = text;
    m_caption->setToolTip(text);
    m_caption->setText(
        m_caption->fontMetrics().elidedText(text, Qt::ElideRight, qMax(0, width() - 110)));
}

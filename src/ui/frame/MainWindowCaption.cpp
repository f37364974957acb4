#include "ui/frame/MainWindowCaption.h"

#include "skin/WindowCaption.h"
#include "ui/frame/WindowLabels.h"

#include <QWidget>

MainWindowCaption::MainWindowCaption(QWidget& window, WindowLabels& labels)
    : m_window(window), m_labels(labels)
{}

void MainWindowCaption::setText(const QString& text)
{
    m_text = text;
    m_labels.setCaption(text, m_window.width());
    m_window.setWindowTitle(text);
}

void MainWindowCaption::setMedia(const QString& path, const QString& title)
{
    m_mediaPath = path;
    m_mediaTitle = title;
}

void MainWindowCaption::showMedia(std::optional<TitleBarMode> mode)
{
    if (const std::optional<QString> caption = windowCaption(mode, m_mediaTitle, m_mediaPath)) {
        setText(*caption);
    }
}

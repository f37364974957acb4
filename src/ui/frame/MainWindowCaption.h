#pragma once

#include "settings/SettingsStore.h"

#include <QString>
#include <optional>

class QWidget;
class WindowLabels;

// The caption on the frame and the window's title: the product's name, or the playing entry as
// TitleBarMode asks. The taskbar and the window switcher tell two players apart by what they play.
class MainWindowCaption
{
public:
    MainWindowCaption(QWidget& window, WindowLabels& labels);

    QString text() const { return m_text; }
    void setText(const QString& text);
    void setMedia(const QString& path, const QString& title);
    // The playing entry's caption in this mode; an unknown mode leaves the caption as it is.
    void showMedia(std::optional<TitleBarMode> mode);
    // The same text again, shortened to the window's width now.
    void refit() { setText(m_text); }

private:
    QWidget& m_window;
    WindowLabels& m_labels;
    QString m_text;
    QString m_mediaTitle;
    QString m_mediaPath;
};

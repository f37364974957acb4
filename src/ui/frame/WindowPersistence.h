#pragma once

#include "settings/SettingsStore.h"

#include <QPoint>

class QWidget;

// Where the main window stands from one run to the next: it opens where the settings place it,
// takes the remembered size and place kept on a screen, records its size as the user leaves it,
// and tells the place to write at shutdown. The settings file itself is the store's business.
class WindowPersistence
{
public:
    WindowPersistence(QWidget& window, SettingsStore& settings);

    // Where the settings do not place it, the window opens centred, as a fresh start does.
    void openAtStoredPlace();
    // The remembered size and place, as far as the settings ask to remember them.
    void applyRemembered();
    // Maximised by the toggle or still loading, the stored size stays what it was.
    void recordSize(bool maximizedByToggle, bool loading);
    // Maximised by the toggle, the window is remembered where it stood before.
    WindowPlacement placement(bool maximizedByToggle, QPoint restoredPosition, bool loading) const;

private:
    QWidget& m_window;
    SettingsStore& m_settings;
};

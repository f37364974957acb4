#pragma once

#include "settings/Settings.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;

// The "Player" page of the Options dialog: how files open, what the caption shows, where the
// playlist stands and the window's other choices. It lies over the whole dialog, so its controls
// stand in dialog coordinates, and it leaves the mouse to the dialog wherever no control is.
class PlayerSettingsPage : public QWidget
{
    Q_OBJECT
public:
    explicit PlayerSettingsPage(QWidget* parent = nullptr);

    // A stored choice that no option names selects none of its options.
    void load(const Settings& settings);
    // A group with no option selected leaves its value as it was.
    void save(Settings& settings) const;

private:
    QButtonGroup* m_openMode = nullptr;
    QButtonGroup* m_titleBarMode = nullptr;
    QButtonGroup* m_playlistPosition = nullptr;
    QCheckBox* m_launchFullscreen = nullptr;
    QCheckBox* m_alwaysOnTop = nullptr;
    QCheckBox* m_showInTray = nullptr;
    QCheckBox* m_rememberLastPos = nullptr;
    QCheckBox* m_rememberLastSize = nullptr;
    QCheckBox* m_keepHistory = nullptr;
    QCheckBox* m_disableScreenSaver = nullptr;
};

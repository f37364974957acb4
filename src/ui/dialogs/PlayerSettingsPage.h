#pragma once

#include "skin/SettingsForm.h"

#include <QObject>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QWidget;

// The "Player" page of the Options dialog: its frames, option buttons and check boxes, placed
// on the dialog's own surface.
class PlayerSettingsPage : public QObject
{
    Q_OBJECT
public:
    explicit PlayerSettingsPage(QWidget* dialog);

    void load(const SettingsForm& form);
    void save(SettingsForm& form) const;
    // Shows the page's controls where they belong, or hides them.
    void showPage(bool shown);

    QGroupBox* SSFrame1 = nullptr;
    QRadioButton* SSOUseSame = nullptr;
    QRadioButton* SSOUseNew = nullptr;
    QCheckBox* SSCLaunchFiles = nullptr;
    QGroupBox* SSFrame2 = nullptr;
    QRadioButton* SSODisplayFile = nullptr;
    QRadioButton* SSODisplayFull = nullptr;
    QRadioButton* SSODonT = nullptr;
    QGroupBox* SSFrPlayList = nullptr;
    QLabel* lblPlaypos = nullptr;
    QRadioButton* SSOptTop = nullptr;
    QRadioButton* SSOptLeft = nullptr;
    QRadioButton* SSOptFill = nullptr;
    QRadioButton* SSOptRIGHT = nullptr;
    QRadioButton* SSOptBottom = nullptr;
    QLabel* lblOther = nullptr;
    QCheckBox* SSCAlwaysOnTop = nullptr;
    QCheckBox* SSCShowIn = nullptr;
    QCheckBox* SSCRememberLastPos = nullptr;
    QCheckBox* SSCRememberLastSize = nullptr;
    QCheckBox* SSCKeepHistory = nullptr;
    QCheckBox* SSCDisableScreenSaver = nullptr;

private:
    QButtonGroup* m_open = nullptr;
    QButtonGroup* m_title = nullptr;
    QButtonGroup* m_position = nullptr;
};

#pragma once

#include "skin/SettingsForm.h"

#include <QObject>

class FileAssociations;
class QLabel;
class QListWidget;
class QWidget;

// The "Assocciations" page of the Options dialog: the extensions with the icon of whatever
// opens them now, ticked where Korvane should, and the labels of the four preset buttons.
class AssociationsSettingsPage : public QObject
{
    Q_OBJECT
public:
    explicit AssociationsSettingsPage(QWidget* dialog);

    // One item per extension, with its current handler's icon.
    void fillAssociationList(const FileAssociations& associations);
    void load(const SettingsForm& form);
    void save(SettingsForm& form) const;
    void setTicks(const SettingsForm::Ticks& ticks);
    void showPage(bool shown);

    QLabel* lblFileExtensions = nullptr;
    QListWidget* LstViewIcons = nullptr;
    QLabel* lblSelectAll = nullptr;
    QLabel* lblDeselectAll = nullptr;
    QLabel* lblAudioFiles = nullptr;
    QLabel* lblVideoFiles = nullptr;
};

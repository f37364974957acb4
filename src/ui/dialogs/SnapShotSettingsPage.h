#pragma once

#include "settings/Settings.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The "SnapShot" page of the Options dialog: the folder snapshots go to, their file name prefix,
// their format and whether a preview shows. It lies over the whole dialog like the other pages.
class SnapShotSettingsPage : public QWidget
{
    Q_OBJECT
public:
    // Asks for a folder, starting at the given one; empty when the user chose none.
    using FolderChooser = std::function<QString(QWidget* parent, const QString& start)>;

    explicit SnapShotSettingsPage(QWidget* parent = nullptr);

    void setFolderChooser(FolderChooser chooser) { m_chooseFolder = std::move(chooser); }
    void load(const Settings& settings);
    // Texts the settings file cannot hold (a comma or a double quote ends a value there, a
    // slash would make the prefix a folder) are not taken: the stored value stays.
    void save(Settings& settings) const;
    // The folder chooser's answer goes into the folder field.
    void browse();

private:
    QLineEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
    QLineEdit* m_prefix = nullptr;
    QRadioButton* m_jpg = nullptr;
    QRadioButton* m_png = nullptr;
    QCheckBox* m_preview = nullptr;
    FolderChooser m_chooseFolder;
};

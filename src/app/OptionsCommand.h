#pragma once

#include <QObject>
#include <memory>

class FileAssociations;
class FreedesktopIntegration;
class MainWindow;
class SettingsDialog;
class SettingsStore;
class UserStore;

// The file associations on this desktop and the "Options" dialog that edits them with the other
// settings: the association pass at start-up, and the dialog whenever "Options" is chosen.
class OptionsCommand : public QObject
{
    Q_OBJECT
public:
    OptionsCommand(UserStore& store, SettingsStore& settings, MainWindow& window,
                   QObject* parent = nullptr);
    ~OptionsCommand() override;

    // The desktop follows the association flags of the settings.
    void applyAllAssociations();
    FileAssociations& associations() const { return *m_associations; }

public slots:
    // "Options": the main window leaves the topmost band and the dialog runs modally over it;
    // closing the dialog applies the settings to the window again.
    void showOptions();

signals:
    // The dialog is open and about to run; tests drive it from here.
    void dialogShown(SettingsDialog* dialog);

private:
    SettingsStore& m_settings;
    MainWindow& m_window;
    std::unique_ptr<FreedesktopIntegration> m_desktop;
    std::unique_ptr<FileAssociations> m_associations;
};

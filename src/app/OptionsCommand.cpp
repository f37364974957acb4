#include "app/OptionsCommand.h"

#include "settings/SettingsStore.h"
#include "system/FileAssociations.h"
#include "system/FreedesktopIntegration.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/frame/MainWindow.h"
#include "util/ToolPaths.h"

#include <QCoreApplication>

OptionsCommand::OptionsCommand(UserStore& store, SettingsStore& settings, MainWindow& window,
                               QObject* parent)
    : QObject(parent), m_settings(settings), m_window(window),
      m_desktop(std::make_unique<FreedesktopIntegration>()),
      m_associations(std::make_unique<FileAssociations>(store, *m_desktop, korvane::programFolder(),
                                                        QCoreApplication::applicationFilePath()))
{}

OptionsCommand::~OptionsCommand() = default;

void OptionsCommand::applyAllAssociations()
{
    m_associations->applyAllAssociations(m_settings.settings().associations);
}

void OptionsCommand::showOptions()
{
    m_window.setTopmost(false);
    SettingsDialog dialog(
        m_settings, *m_associations, m_window.skinImages(), [this] { return m_window.placement(); },
        &m_window);
    dialog.move(m_window.geometry().center() - dialog.rect().center());
    emit dialogShown(&dialog);
    dialog.exec();
    // Back into the topmost band, whichever way the dialog was left.
    m_window.setTopmost(m_settings.settings().alwaysOnTop);
}

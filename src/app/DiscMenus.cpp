#include "app/DiscMenus.h"

#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "playback/DvdPlayback.h"

#include <QAction>

DiscMenus::DiscMenus(DvdPlayback& dvd, CommandRegistry& registry, QObject* parent)
    : QObject(parent), m_dvd(dvd), m_registry(registry)
{
    connect(&dvd, &DvdPlayback::menusChanged, this, &DiscMenus::showDrives);
    showDrives();
}

void DiscMenus::showDrives()
{
    const DvdRules::Menus& menus = m_dvd.menus();
    for (int i = 0; i < DvdRules::MainMenuSlots; ++i) {
        const Command command = CommandTable::dvdDrive(i);
        if (QAction* bar = m_registry.action(command); bar && i < menus.main.size()) {
            bar->setText(CommandRegistry::literalText(menus.main[i].text));
            bar->setVisible(menus.main[i].visible);
            bar->setEnabled(menus.main[i].enabled);
        }
        // The tray lists one entry per drive, the first always.
        if (QAction* tray = m_registry.popupAction(command)) {
            tray->setVisible(i == 0 || i < menus.tray.size());
            tray->setEnabled(true);
            if (i < menus.tray.size()) {
                tray->setText(CommandRegistry::literalText(menus.tray[i]));
            }
        }
    }
}

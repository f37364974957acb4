#include "app/DiscMenus.h"

#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "playback/DvdPlayback.h"

#include <QAction>

DiscMenus::DiscMenus(DvdPlayback& dvd, CommandRegistry& registry, QObject* parent)
    : QObject(parent), m_dvd(dvd), m_registry(registry)
{
    DvdPlayback* player = &dvd;
    for (int i = 0; i < DvdRules::MainMenuSlots; ++i) {
        if (QAction* action = m_registry.action(CommandTable::dvdDrive(i))) {
            connect(action, &QAction::triggered, player, [player, i] { player->playDisc(i); });
        }
    }
    connect(player, &DvdPlayback::menusChanged, this, &DiscMenus::showDrives);
    showDrives();
}

void DiscMenus::showDrives()
{
    const DvdRules::Menus& menus = m_dvd.menus();
    for (int i = 0; i < DvdRules::MainMenuSlots; ++i) {
        const Command command = CommandTable::dvdDrive(i);
        ActionFace bar = m_registry.face(CommandOrigin::Direct, command);
        if (i < menus.main.size()) {
            bar.text = CommandRegistry::literalText(menus.main[i].text);
            bar.visible = menus.main[i].visible;
            bar.enabled = menus.main[i].enabled;
        }
        m_registry.setFace(CommandOrigin::Direct, command, bar);
        // The tray lists one entry per drive, the first always.
        ActionFace tray = m_registry.face(CommandOrigin::Popup, command);
        tray.visible = i == 0 || i < menus.tray.size();
        tray.enabled = true;
        if (i < menus.tray.size()) {
            tray.text = CommandRegistry::literalText(menus.tray[i]);
        }
        m_registry.setFace(CommandOrigin::Popup, command, tray);
    }
}

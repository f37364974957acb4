#pragma once

#include <QObject>

class CommandRegistry;
class DvdPlayback;

// The texts of the drive items of the menu bar and of the tray's File menu, as the disc playback
// last listed the drives. What the items do is bound with the other commands.
class DiscMenus : public QObject
{
    Q_OBJECT
public:
    DiscMenus(DvdPlayback& dvd, CommandRegistry& registry, QObject* parent = nullptr);

private:
    void showDrives();

    DvdPlayback& m_dvd;
    CommandRegistry& m_registry;
};

#pragma once

#include <QObject>

class CommandRegistry;
class DvdPlayback;

// The drive items of the menu bar and the tray's File menu: each plays its drive, and their
// texts follow the drives as the disc playback last listed them.
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

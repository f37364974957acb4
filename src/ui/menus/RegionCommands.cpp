#include "ui/menus/RegionCommands.h"

Command RegionCommands::commandOf(SkinRegion region)
{
    switch (region) {
    case SkinRegion::Play:
        return Command::Play;
    case SkinRegion::Pause:
        return Command::PlayPause;
    case SkinRegion::Stop:
        return Command::Stop;
    case SkinRegion::Previous:
        return Command::Previous;
    case SkinRegion::Next:
        return Command::Next;
    case SkinRegion::FullScreen:
        return Command::FullScreen;
    case SkinRegion::Sound:
        return Command::Mute;
    case SkinRegion::PlayList:
        return Command::TogglePlaylist;
    case SkinRegion::Open:
        return Command::OpenFile;
    case SkinRegion::Dvd:
        return Command::DvdMenu;
    case SkinRegion::SnapShot:
        return Command::MediaInfo;
    default:
        return Command::None;
    }
}

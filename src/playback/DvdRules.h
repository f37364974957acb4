#pragma once

#include "system/DriveProvider.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

// The disc rules: what the drive menus show, the engine address of a drive, and which discs the
// once-a-second watch starts by itself. Pure; DvdPlayback runs them.
namespace DvdRules {

inline const QString NoDrivesText = QStringLiteral("<No DVD drives were found>");
inline const QString InsertDiscText = QStringLiteral("<Please insert a DVD>");
inline const QString InvalidDvdText = QStringLiteral("Please insert a valid DVD.");
inline const QString MediaInfoText = QStringLiteral("Video DVD");
inline const QString PictureName = QStringLiteral("DVD.jpg");
inline const QString LoadingText = QStringLiteral("LOADING...");
// The main menu's drive items: "DVDList0" and five more.
inline constexpr int MainMenuSlots = 6;

// dvdLabels and dvdDrives, 0-based here: one entry per optical drive, in the system's order.
struct DriveList
{
    QStringList dvdLabels;
    // Empty where the drive's volume information could not be read.
    QStringList dvdDrives;
    int count() const { return static_cast<int>(dvdLabels.size()); }
    bool operator==(const DriveList&) const = default;
};

DriveList enumerate(const QVector<OpticalDrive>& drives);
// "MOVIE (/dev/sr0)"; "<Please insert a DVD> (/dev/sr0)" without readable volume information.
QString labelOf(const OpticalDrive& drive);
// "dvd://" and the drive name, which gives libVLC's "dvd:///dev/sr0".
QString address(const QString& driveName);
// The drive name as the watch reads it back: after the label's first "(" up to the next ")".
// A volume name that holds "(" itself therefore gives no drive's name.
QString driveOfLabel(const QString& label);

struct MenuItem
{
    QString text;
    bool visible = false;
    bool enabled = false;
    bool operator==(const MenuItem&) const = default;
};

struct Menus
{
    // The drives the tray's "Open DVD" menu lists: item 0 always, one more per further drive.
    QStringList tray;
    // "DVDList0" to "DVDList5".
    QVector<MenuItem> main;
    bool operator==(const Menus&) const = default;
};

Menus menus(const DriveList& drives);

// Whether choosing entry `index` of the drive menus starts a disc: not the "no drives" entry,
// not a drive without a readable disc.
bool playable(const Menus& menus, int index);

struct WatchStep
{
    // Entries to play, in order; the last one started is the one that stays.
    QVector<int> start;
    // Labels of discs started by the watch that are still in their drives.
    QStringList started;
    bool operator==(const WatchStep&) const = default;
};

// One watch tick over dvdLabels. A disc the watch has already started is not started again
// while it stays in its drive: otherwise every end of any item would throw the user's playlist
// away for the same disc once more.
WatchStep watch(const QStringList& labels, const std::function<bool(const QString&)>& hasVideoTs,
                const QStringList& startedBefore);

} // namespace DvdRules

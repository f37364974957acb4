#include "playback/DvdRules.h"

namespace DvdRules {

QString labelOf(const OpticalDrive& drive)
{
    QString label = drive.readable ? drive.label : InsertDiscText;
    // A volume name ends at its first NUL.
    const qsizetype nul = label.indexOf(QChar(0));
    if (nul >= 0) {
        label.truncate(nul);
    }
    return label + QStringLiteral(" (") + drive.name + QLatin1Char(')');
}

DriveList enumerate(const QVector<OpticalDrive>& drives)
{
    DriveList list;
    for (const OpticalDrive& drive : drives) {
        list.dvdLabels.append(labelOf(drive));
        list.dvdDrives.append(drive.readable ? drive.name : QString());
    }
    return list;
}

QString address(const QString& driveName)
{
    return QStringLiteral("dvd://") + driveName;
}

QString driveOfLabel(const QString& label)
{
    const qsizetype open = label.indexOf(QLatin1Char('('));
    if (open < 0) {
        return {};
    }
    const qsizetype close = label.indexOf(QLatin1Char(')'), open + 1);
    return label.mid(open + 1, close < 0 ? -1 : close - open - 1);
}

Menus menus(const DriveList& drives)
{
    Menus out;
    out.main.resize(MainMenuSlots);
    if (drives.count() == 0) {
        out.tray = {NoDrivesText};
        out.main[0] = {NoDrivesText, true, false};
        return out;
    }
    out.tray = drives.dvdLabels;
    for (int i = 0; i < drives.count() && i < MainMenuSlots; ++i) {
        out.main[i] = {drives.dvdLabels[i], true, true};
    }
    return out;
}

bool playable(const Menus& menus, int index)
{
    if (menus.tray.isEmpty() || menus.tray.first() == NoDrivesText) {
        return false;
    }
    if (index < 0 || index >= menus.tray.size()) {
        return false;
    }
    return !menus.tray[index].startsWith(InsertDiscText);
}

WatchStep watch(const QStringList& labels, const std::function<bool(const QString&)>& hasVideoTs,
                const QStringList& startedBefore)
{
    WatchStep step;
    for (int i = 0; i < labels.size(); ++i) {
        const QString& label = labels[i];
        if (label.startsWith(InsertDiscText)) {
            continue;
        }
        if (startedBefore.contains(label)) {
            step.started.append(label);
            continue;
        }
        const QString drive = driveOfLabel(label);
        if (!drive.isEmpty() && hasVideoTs(drive)) {
            step.start.append(i);
            step.started.append(label);
        }
    }
    return step;
}

} // namespace DvdRules

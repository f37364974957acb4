#pragma once

#include "playback/DvdRules.h"

#include <QObject>
#include <QTimer>

class DriveProvider;
class PlaybackSession;
class PlaylistModel;
class UserMessages;

// Video discs: the drive menus' contents, playing a disc in place of the playlist, and the
// once-a-second watch that starts an inserted video disc by itself. The waits
// between the steps of starting a disc are timers, so the window stays live meanwhile.
class DvdPlayback : public QObject
{
    Q_OBJECT
public:
    static constexpr int WatchIntervalMs = 1000;
    static constexpr int SettleMs = 500;

    DvdPlayback(DriveProvider& drives, PlaybackSession& session, PlaylistModel& playlist,
                UserMessages& messages, QString pictureFolder, QObject* parent = nullptr);

    // Fills dvdLabels and dvdDrives; returns the number of optical drives.
    int enumerateDrives();
    // What the "Open DVD" menus show; menusChanged() tells the menus.
    void refreshMenus();
    void playDisc(int driveIndex);
    // One tick of the watch.
    void checkDVD();
    // The monitor wants the watch on again (no item active, not paused).
    void enableWatch();

    const DvdRules::DriveList& drives() const { return m_drives; }
    const DvdRules::Menus& menus() const { return m_menus; }
    bool isWatching() const { return m_discWatch.isActive(); }
    bool isStarting() const { return m_starting; }

signals:
    void menusChanged();
    void timeTextChanged(const QString& text);
    // The disc's address went to the engine and the play command ran.
    void discStarted(const QString& address);

private:
    void loadDisc(int generation, int driveIndex, const QString& drive, const QString& title);
    void startDisc(int generation);
    void fail();
    bool current(int generation) const;

    DriveProvider& m_provider;
    PlaybackSession& m_session;
    PlaylistModel& m_playlist;
    UserMessages& m_messages;
    QString m_pictureFolder;
    DvdRules::DriveList m_drives;
    DvdRules::Menus m_menus;
    QStringList m_watchStarted;
    QTimer m_discWatch;
    // A newer start, or another item played meanwhile, makes an unfinished start step aside.
    int m_generation = 0;
    bool m_starting = false;
    // A video disc was found while an item played; it starts when that item ends.
    bool m_discWaiting = false;
    // The host's generation of the control made for the disc.
    int m_control = 0;
    QString m_address;
};

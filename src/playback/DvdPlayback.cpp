#include "playback/DvdPlayback.h"

#include "playback/PlaybackSession.h"
#include "playlist/PlaylistModel.h"
#include "system/DriveProvider.h"
#include "system/UserMessages.h"
#include "util/Logging.h"
#include "util/Product.h"

#include <QDir>
#include <QImage>
#include <memory>

DvdPlayback::DvdPlayback(DriveProvider& drives, PlaybackSession& session, PlaylistModel& playlist,
                         UserMessages& messages, QString pictureFolder, QObject* parent)
    : QObject(parent), m_provider(drives), m_session(session), m_playlist(playlist),
      m_messages(messages), m_pictureFolder(std::move(pictureFolder)), m_menus(DvdRules::menus({}))
{
    m_discWatch.setInterval(WatchIntervalMs);
    connect(&m_discWatch, &QTimer::timeout, this, &DvdPlayback::checkDVD);
    connect(&m_session, &PlaybackSession::dvdCheckWanted, this, &DvdPlayback::enableWatch);
    m_discWatch.start();
}

int DvdPlayback::enumerateDrives()
{
    m_drives = DvdRules::enumerate(m_provider.opticalDrives());
    return m_drives.count();
}

void DvdPlayback::refreshMenus()
{
    enumerateDrives();
    DvdRules::Menus menus = DvdRules::menus(m_drives);
    if (menus != m_menus) {
        m_menus = std::move(menus);
        emit menusChanged();
    }
}

void DvdPlayback::enableWatch()
{
    // The item a disc waited for has ended: the disc starts now, before the next item would.
    if (m_discWaiting) {
        m_discWaiting = false;
        checkDVD();
        return;
    }
    // Started again only when off, so the monitor's twice-a-second call does not keep putting
    // the next tick off.
    if (!m_discWatch.isActive()) {
        m_discWatch.start();
    }
}

void DvdPlayback::checkDVD()
{
    refreshMenus();
    const DvdRules::WatchStep step = DvdRules::watch(
        m_drives.dvdLabels, [this](const QString& drive) { return m_provider.hasVideoTs(drive); },
        m_watchStarted);
    // A disc inserted while an item plays or pauses waits until that item ends.
    const TransportFlags& flags = m_session.flags();
    if (!step.start.isEmpty() && (flags.mediaActive || (flags.paused && !flags.stopped))) {
        if (!m_discWaiting) {
            qCDebug(lcPlayback) << "video disc waits for the item to end";
        }
        m_discWaiting = true;
        return;
    }
    m_discWaiting = false;
    m_watchStarted = step.started;
    for (const int index : step.start) {
        qCDebug(lcPlayback).noquote() << "video disc found:" << m_drives.dvdLabels.value(index);
        playDisc(index);
        m_discWatch.stop();
    }
}

void DvdPlayback::playDisc(int driveIndex)
{
    if (!DvdRules::playable(m_menus, driveIndex) || driveIndex >= m_drives.count()) {
        return;
    }
    const QString drive = m_drives.dvdDrives.value(driveIndex);
    const QString title = m_menus.tray.value(driveIndex);
    const int generation = ++m_generation;
    m_starting = true;
    if (!m_session.startDisc(drive)) {
        fail();
        return;
    }
    m_control = m_session.host().generation();
    QTimer::singleShot(SettleMs, this, [this, generation, driveIndex, drive, title] {
        loadDisc(generation, driveIndex, drive, title);
    });
}

bool DvdPlayback::current(int generation) const
{
    // Another item played meanwhile replaced the engine control: that one wins.
    return generation == m_generation && m_control == m_session.host().generation();
}

void DvdPlayback::loadDisc(int generation, int driveIndex, const QString& drive,
                           const QString& title)
{
    if (!current(generation)) {
        if (generation == m_generation) {
            m_starting = false;
        }
        return;
    }
    emit timeTextChanged(DvdRules::LoadingText);
    m_playlist.clear();
    const QImage picture(QDir(m_pictureFolder).filePath(DvdRules::PictureName));
    if (picture.isNull()) {
        fail();
        return;
    }
    m_address = DvdRules::address(drive);
    m_playlist.append(PlaylistEntry{title, picture, m_address, DvdRules::MediaInfoText});
    if (m_playlist.selectedItem() < 0) {
        m_playlist.select(0);
    }
    m_session.rebuildSequence();
    if (!m_session.host().openDisc(m_address)) {
        fail();
        return;
    }
    qCDebug(lcPlayback).noquote() << "disc queued:" << driveIndex << m_address;
    QTimer::singleShot(SettleMs, this, [this, generation] { startDisc(generation); });
}

void DvdPlayback::startDisc(int generation)
{
    if (!current(generation)) {
        if (generation == m_generation) {
            m_starting = false;
        }
        return;
    }
    m_starting = false;
    // The engine opens the disc after the play command; a disc it cannot open is reported
    // then, and is as much a failure to start as a refused address.
    auto watch = std::make_shared<QMetaObject::Connection>();
    *watch = connect(&m_session.host(), &EngineHost::stateChanged, this,
                     [this, watch, generation](Engine::State state) {
                         if (state == Engine::Error && current(generation)) {
                             fail();
                         }
                         if (state == Engine::Playing || state == Engine::Error) {
                             disconnect(*watch);
                         }
                     });
    m_session.play();
    emit discStarted(m_address);
}

void DvdPlayback::fail()
{
    m_starting = false;
    emit timeTextChanged(QString());
    m_messages.show(UserMessages::Icon::Critical, korvane::kApplicationTitle,
                    DvdRules::InvalidDvdText);
}

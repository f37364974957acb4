#include "playlist/Playlist.h"

#include "playlist/FileIntake.h"
#include "playlist/FolderScan.h"
#include "playlist/OpenDialog.h"
#include "system/UserMessages.h"
#include "util/Logging.h"
#include "util/Product.h"
#include "util/SupportedFiles.h"

#include <QDir>
#include <QFileInfo>

Playlist::Playlist(PlaylistModel& model, MediaProber& prober, UserMessages& messages,
                   OpenDialog& dialog, QObject* parent)
    : QObject(parent), m_model(model), m_messages(messages), m_dialog(dialog),
      m_intake(new FileIntake(prober, this))
{
    connect(m_intake, &FileIntake::ready, this, &Playlist::commit);
    connect(m_intake, &FileIntake::progressChanged, this, &Playlist::progressChanged);
}

Playlist::~Playlist() = default;

void Playlist::addEntry(const QString& title, const QString& fileName, bool fullScreen,
                        bool playNow)
{
    m_intake->enqueue(IntakeRequest{title, fileName, fullScreen, playNow, 0});
}

void Playlist::commit(const IntakeRequest& request, bool accepted, const ProbeResult& result)
{
    const QString& path = request.fileName;
    bool playNow = request.playNow;
    if (request.playGroup != 0) {
        // Only the group's first file taken in (or already present) plays.
        playNow = request.playGroup == m_waitingPlayGroup && (accepted || isInPlaylist(path));
        if (playNow) {
            m_waitingPlayGroup = 0;
        }
    }
    if (isInPlaylist(path)) {
        qCDebug(lcPlaylist).noquote() << "duplicate" << path;
        m_messages.show(UserMessages::Icon::Information, QStringLiteral("Media Player"),
                        u'"' + request.title + QStringLiteral("\" is already in your playlist"));
        if (playNow) {
            // Play the entry for the file that was asked for, not whatever stands last.
            const int existing = m_model.indexOf(path);
            m_model.select(existing);
            if (isPlayingNow && isPlayingNow(path)) {
                qCDebug(lcPlaylist).noquote() << "already playing, not started over:" << path;
            } else {
                emit playRequested(existing, request.fullScreen);
            }
        }
        emit committed();
        return;
    }
    for (const QString& warning : result.warnings) {
        m_messages.show(UserMessages::Icon::Warning, korvane::kApplicationTitle, warning);
    }
    if (!accepted) {
        qCDebug(lcPlaylist).noquote() << "refused" << path + u':' << result.lastProbeError;
        m_messages.show(UserMessages::Icon::Warning, korvane::kProductName,
                        QStringLiteral("Cannot open file <") + path + QStringLiteral(">\n") +
                            result.lastProbeError);
        return;
    }
    qCDebug(lcPlaylist).noquote() << "accepted" << path;
    m_model.append(
        PlaylistEntry{request.title, result.currentPicture, path, result.streamInfoText});
    if (playNow) {
        const int last = count() - 1;
        m_model.select(last);
        emit playRequested(last, request.fullScreen);
    }
    emit committed();
}

void Playlist::openFiles(bool append)
{
    const QList<ChosenFile> chosen =
        m_dialog.chooseMediaFiles(SupportedExtensions(), MediaExtensions());
    bool first = true;
    for (const ChosenFile& file : chosen) {
        addEntry(fileNameOfPath(file.fileName), file.fullPath, false, first && !append);
        first = false;
    }
}

void Playlist::openFolder(bool append)
{
    const QString folder = m_dialog.chooseFolder();
    if (!folder.isEmpty()) {
        addPaths({folder}, !append, false);
    }
}

void Playlist::addDroppedFiles(const QStringList& paths)
{
    addPaths(paths, false, false);
}

void Playlist::addPaths(const QStringList& paths, bool playFirst, bool fullScreen)
{
    const IntakePlan plan = planPaths(paths);
    enqueuePlan(plan, playFirst, fullScreen);
    reportRefusals(plan);
}

IntakePlan Playlist::planPaths(const QStringList& paths)
{
    IntakePlan plan;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        // Only a path from the root names a file on disk (Qt would also take its own ":"
        // resources).
        if (!path.startsWith(u'/')) {
            qCDebug(lcPlaylist).noquote() << "refused" << path + u':' << NotLocalReason;
            plan.notLocal.append(path);
        } else if (info.isDir()) {
            const QStringList files = FolderScan::mediaFiles(path);
            qCDebug(lcPlaylist).noquote()
                << "folder" << path << "holds" << files.size() << "media files";
            if (files.isEmpty()) {
                plan.emptyFolders.append(path);
            }
            plan.files.append(files);
        } else if (isSupportedFile(path)) {
            // A missing file is reported by the decoder, with the reason it gives.
            plan.files.append(path);
        } else {
            qCDebug(lcPlaylist).noquote() << "refused" << path + u':' << RefusedTypeReason;
            plan.refusedTypes.append(path);
        }
    }
    return plan;
}

void Playlist::enqueuePlan(const IntakePlan& plan, bool playFirst, bool fullScreen)
{
    quint64 group = 0;
    if (playFirst && !plan.files.isEmpty()) {
        group = ++m_lastPlayGroup;
        m_waitingPlayGroup = group;
    }
    for (const QString& file : plan.files) {
        m_intake->enqueue(IntakeRequest{fileNameOfPath(file), file, fullScreen, false, group});
    }
}

void Playlist::reportRefusals(const IntakePlan& plan)
{
    for (const QString& name : plan.notLocal) {
        m_messages.show(UserMessages::Icon::Warning, korvane::kProductName,
                        QStringLiteral("Cannot open file <") + name + QStringLiteral(">\n") +
                            NotLocalReason);
    }
    for (const QString& folder : plan.emptyFolders) {
        m_messages.show(UserMessages::Icon::Warning, korvane::kProductName,
                        QStringLiteral("Cannot open folder <") + folder + QStringLiteral(">\n") +
                            EmptyFolderReason);
    }
    if (!plan.refusedTypes.isEmpty()) {
        m_messages.show(UserMessages::Icon::Warning, korvane::kProductName,
                        refusedTypeMessage(plan.refusedTypes));
    }
}

QString Playlist::refusedTypeMessage(const QStringList& paths)
{
    QString text;
    for (const QString& path : paths) {
        text += QStringLiteral("Cannot open file <") + path + QStringLiteral(">\n");
    }
    return text + RefusedTypeReason;
}

void Playlist::removeSelected()
{
    const int index = m_model.selectedItem();
    if (index < 0 || index >= m_model.count()) {
        return;
    }
    const QString path = m_model.entry(index).path;
    m_model.removeAt(index);
    qCDebug(lcPlaylist).noquote() << "removed" << index << path;
}

void Playlist::removeAll()
{
    m_intake->cancelPending();
    m_waitingPlayGroup = 0;
    m_model.clear();
}

void Playlist::clickEntry()
{
    emit entryClicked(m_model.selectedItem());
}

void Playlist::activateEntry()
{
    const int selected = m_model.selectedItem();
    if (selected < 0) {
        return;
    }
    emit entryActivated(selected);
    emit hideRequested();
}

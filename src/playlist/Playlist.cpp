#include "playlist/Playlist.h"

#include "playlist/FileIntake.h"
#include "playlist/OpenDialog.h"
#include "system/UserMessages.h"
#include "util/Logging.h"
#include "util/Product.h"
#include "util/SupportedFiles.h"

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
    m_intake->enqueue(IntakeRequest{title, fileName, fullScreen, playNow});
}

void Playlist::commit(const IntakeRequest& request, bool accepted, const ProbeResult& result)
{
    const QString& path = request.fileName;
    if (isInPlaylist(path)) {
        qCDebug(lcPlaylist).noquote() << "duplicate" << path;
        m_messages.show(UserMessages::Icon::Information, QStringLiteral("Media Player"),
                        u'"' + request.title + QStringLiteral("\" is already in your playlist"));
        if (request.playNow) {
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
    if (request.playNow) {
        const int last = count() - 1;
        m_model.select(last);
        emit playRequested(last, request.fullScreen);
    }
    emit committed();
}

void Playlist::openFiles(bool append)
{
    const QList<ChosenFile> chosen = m_dialog.chooseMediaFiles(SupportedExtensions());
    bool first = true;
    for (const ChosenFile& file : chosen) {
        addEntry(fileNameOfPath(file.fileName), file.fullPath, false, first && !append);
        first = false;
    }
}

void Playlist::addDroppedFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (isSupportedFile(path)) {
            addEntry(fileNameOfPath(path), path, false, false);
        }
    }
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

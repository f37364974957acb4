#include "playlist/Playlist.h"

#include "playlist/FancyList.h"
#include "playlist/FileIntake.h"
#include "playlist/OpenDialog.h"
#include "playlist/PlaybackSeam.h"
#include "playlist/SupportedFiles.h"
#include "ui/UserMessages.h"
#include "util/Logging.h"

#include <QPixmap>

namespace {
const QString kApplicationTitle = QStringLiteral("Taskel Media Player");
}

Playlist::Playlist(FancyList& list, MediaProber& prober, UserMessages& messages,
                   PlaybackSeam& playback, OpenDialog& dialog, QObject* parent)
    : QObject(parent), m_list(list), m_messages(messages), m_playback(playback), m_dialog(dialog),
      m_intake(new FileIntake(prober, this))
{
    m_list.setImageWidth(64);
    m_list.setImageHeight(64);
    m_list.setItemHeight(80);
    connect(m_intake, &FileIntake::ready, this, &Playlist::commit);
    connect(m_intake, &FileIntake::progressChanged, this, &Playlist::progressChanged);
    connect(&m_list, &FancyList::Click, this, &Playlist::onClick);
    connect(&m_list, &FancyList::DblClick, this, &Playlist::onDoubleClick);
    connect(&m_list, &FancyList::OLEDragDrop, this,
            [this](const QStringList& paths) { addDroppedFiles(paths); });
    connect(&m_list, &FancyList::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, const QPointF& position) {
                if (button == Qt::RightButton) {
                    emit popupRequested(position.toPoint());
                }
            });
}

Playlist::~Playlist() = default;

int Playlist::selectedItem() const
{
    return m_list.SelectedItem();
}

QString Playlist::selectedTitle() const
{
    return m_list.SelectedText();
}

void Playlist::select(int index)
{
    m_list.setSelectedItem(index);
}

void Playlist::LoadThumb(const QString& title, const QString& fileName, bool fullScreen,
                         bool playNow)
{
    m_intake->enqueue(IntakeRequest{title, fileName, fullScreen, playNow});
}

void Playlist::commit(const IntakeRequest& request, bool accepted, const ProbeResult& result)
{
    const QString& path = request.fileName;
    if (IsInPlaylist(path)) {
        qCDebug(lcPlaylist).noquote() << "duplicate" << path;
        m_messages.show(UserMessages::Icon::Information, QStringLiteral("Media Player"),
                        u'"' + request.title + QStringLiteral("\" is already in your playlist"));
        if (request.playNow) {
            // Play the entry for the file that was asked for, not whatever stands last.
            const int existing = static_cast<int>(m_fullPaths.indexOf(path));
            m_list.setSelectedItem(existing);
            m_playback.PlayItem(existing, request.fullScreen);
        }
        m_playback.rebuildSequence();
        return;
    }
    for (const QString& warning : result.warnings) {
        m_messages.show(UserMessages::Icon::Warning, kApplicationTitle, warning);
    }
    if (!accepted) {
        qCDebug(lcPlaylist).noquote() << "refused" << path + u':' << result.LastProbeError;
        m_messages.show(UserMessages::Icon::Warning, QStringLiteral("Korvane"),
                        QStringLiteral("Cannot open file <") + path + QStringLiteral(">\n") +
                            result.LastProbeError);
        return;
    }
    qCDebug(lcPlaylist).noquote() << "accepted" << path;
    m_list.AddItem(request.title, QPixmap::fromImage(result.CurrentPicture));
    m_fullPaths.append(path);
    m_mediaInfo.append(result.StreamInfoText);
    m_paths.insert(path);
    if (request.playNow) {
        const int last = count() - 1;
        m_list.setSelectedItem(last);
        m_playback.PlayItem(last, request.fullScreen);
    }
    m_playback.rebuildSequence();
}

void Playlist::OpenFiles(bool append)
{
    const QList<ChosenFile> chosen = m_dialog.chooseMediaFiles(SupportedExtensions());
    bool first = true;
    for (const ChosenFile& file : chosen) {
        LoadThumb(FileNameOfPath(file.fileName), file.fullPath, false, first && !append);
        first = false;
    }
}

void Playlist::addDroppedFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (IsSupportedFile(path)) {
            LoadThumb(FileNameOfPath(path), path, false, false);
        }
    }
}

void Playlist::removeSelected()
{
    const int selected = m_list.SelectedItem();
    if (selected < 0 || selected >= count()) {
        return;
    }
    m_paths.remove(m_fullPaths.takeAt(selected));
    m_playback.removeSequenceAt(selected);
    m_list.RemoveItem(selected);
    m_mediaInfo.removeAt(selected);
}

void Playlist::removeAll()
{
    m_intake->cancelPending();
    m_list.Clear();
    m_fullPaths.clear();
    m_mediaInfo.clear();
    m_paths.clear();
    m_playback.clearSequence();
}

void Playlist::onClick()
{
    if (!m_playback.isShuffle()) {
        m_playback.setSequencePosition(m_list.SelectedItem());
    }
}

void Playlist::onDoubleClick()
{
    const int selected = m_list.SelectedItem();
    if (selected < 0) {
        return;
    }
    m_playback.PlayItem(selected, false);
    m_list.hide();
    emit hideRequested();
    m_playback.setSequencePosition(selected);
}

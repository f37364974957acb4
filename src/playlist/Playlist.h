#pragma once

#include "mediainfo/ProbeResult.h"
#include "playback/PlaylistAccess.h"
#include "playlist/IntakeRequest.h"

#include <QObject>
#include <QSet>
#include <QStringList>

class FancyList;
class FileIntake;
class MediaProber;
class OpenDialog;
class PlaybackSeam;
class UserMessages;

// The playlist: the thumbnail list and its parallel lists of full paths and descriptions, kept
// the same length and order, and the one way files enter it.
class Playlist : public QObject, public PlaylistAccess
{
    Q_OBJECT
public:
    Playlist(FancyList& list, MediaProber& prober, UserMessages& messages, PlaybackSeam& playback,
             OpenDialog& dialog, QObject* parent = nullptr);
    ~Playlist() override;

    // Takes one file in. The probe runs on a worker; the file is committed in the order given.
    void LoadThumb(const QString& title, const QString& fileName, bool fullScreen, bool playNow);
    void OpenFiles(bool append);
    void addDroppedFiles(const QStringList& paths);

    bool IsInPlaylist(const QString& path) const { return m_paths.contains(path); }
    int count() const override { return static_cast<int>(m_fullPaths.size()); }
    QString fullPath(int index) const override { return m_fullPaths.value(index); }
    QString mediaInfo(int index) const { return m_mediaInfo.value(index); }
    const QStringList& lstFullPath() const { return m_fullPaths; }
    const QStringList& lstMediaInfo() const { return m_mediaInfo; }
    int selectedItem() const override;
    QString selectedTitle() const override;
    void select(int index) override;
    void openFiles() override { OpenFiles(false); }

    void removeSelected();
    void removeAll();

    FileIntake& intake() const { return *m_intake; }

signals:
    // A double-click played an entry: the list is to be put away.
    void hideRequested();
    void popupRequested(const QPoint& listPosition);
    void progressChanged(int done, int total);

private:
    void commit(const IntakeRequest& request, bool accepted, const ProbeResult& result);
    void onClick();
    void onDoubleClick();

    FancyList& m_list;
    UserMessages& m_messages;
    PlaybackSeam& m_playback;
    OpenDialog& m_dialog;
    FileIntake* m_intake = nullptr;
    QStringList m_fullPaths;
    QStringList m_mediaInfo;
    // Paths never enter twice, so a set answers IsInPlaylist without a walk over the list.
    QSet<QString> m_paths;
};

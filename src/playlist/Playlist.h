#pragma once

#include "mediainfo/ProbeResult.h"
#include "playlist/IntakeRequest.h"
#include "playlist/PlaylistModel.h"

#include <QObject>
#include <QStringList>
#include <functional>

class FileIntake;
class MediaProber;
class OpenDialog;
class UserMessages;

// The one way files enter the playlist: probed on workers, refused with a message or committed
// to the model in the order given. What should play is announced, not played from here.
class Playlist : public QObject
{
    Q_OBJECT
public:
    Playlist(PlaylistModel& model, MediaProber& prober, UserMessages& messages, OpenDialog& dialog,
             QObject* parent = nullptr);
    ~Playlist() override;

    // Takes one file in. The probe runs on a worker; the file is committed in the order given.
    void addEntry(const QString& title, const QString& fileName, bool fullScreen, bool playNow);
    void openFiles(bool append);
    void addDroppedFiles(const QStringList& paths);

    PlaylistModel& model() const { return m_model; }
    bool isInPlaylist(const QString& path) const { return m_model.contains(path); }
    int count() const { return m_model.count(); }
    QString fullPath(int index) const { return m_model.fullPath(index); }
    QString mediaInfo(int index) const { return m_model.mediaInfo(index); }
    QStringList paths() const { return m_model.paths(); }
    QStringList mediaInfos() const { return m_model.mediaInfos(); }

    void removeSelected();
    void removeAll();
    // A click on an entry of the list; a double-click plays it and puts the list away.
    void clickEntry();
    void activateEntry();

    FileIntake& intake() const { return *m_intake; }

    // Whether the file is the item playing (or paused) now: a file opened again while it plays
    // is only selected, never started over. Unset, nothing counts as playing.
    std::function<bool(const QString& path)> isPlayingNow;

signals:
    void playRequested(int index, bool fullScreen);
    // An intake finished with a file, taken or already present: the play order is due again.
    void committed();
    void entryClicked(int index);
    // A double-click played this entry; its place in the play order follows.
    void entryActivated(int index);
    void hideRequested();
    void progressChanged(int done, int total);

private:
    void commit(const IntakeRequest& request, bool accepted, const ProbeResult& result);

    PlaylistModel& m_model;
    UserMessages& m_messages;
    OpenDialog& m_dialog;
    FileIntake* m_intake = nullptr;
};

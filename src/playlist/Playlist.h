#pragma once

#include "mediainfo/ProbeResult.h"
#include "playlist/IntakePlan.h"
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
    // Asks for a folder and takes in its media files; the first plays unless appending.
    void openFolder(bool append);
    // Takes in files and folders named together (command line, hand-over, drop, D-Bus, Open
    // Folder): each file in order, each folder's media files in its place. With playFirst, the
    // first file taken in plays. Every name that is not taken in is reported: those the
    // extension test refuses share one message, the decoder reports the others one by one.
    void addPaths(const QStringList& paths, bool playFirst, bool fullScreen);
    // The two halves of addPaths, for a caller that may still cancel what it started before it
    // tells the user anything.
    static IntakePlan planPaths(const QStringList& paths);
    void enqueuePlan(const IntakePlan& plan, bool playFirst, bool fullScreen);
    void reportRefusals(const IntakePlan& plan);
    // The text of the shared message for files of a type Korvane does not open.
    static QString refusedTypeMessage(const QStringList& paths);
    static inline const QString RefusedTypeReason =
        QStringLiteral("Korvane does not open files of this type.");
    static inline const QString NotLocalReason =
        QStringLiteral("Korvane opens files on this computer only.");
    static inline const QString EmptyFolderReason =
        QStringLiteral("The folder holds no media files Korvane opens.");

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
    quint64 m_lastPlayGroup = 0;
    // The group whose first accepted file is still to play (0 for none).
    quint64 m_waitingPlayGroup = 0;
};

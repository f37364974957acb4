#pragma once

#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

// One playlist entry: what the list shows and what playing it needs.
struct PlaylistEntry
{
    QString title;
    QImage picture; // null when the entry has none
    QString path;
    QString mediaInfo;
};

// The playlist's entries in order, and the selection. The title and picture, the full path and
// the description of an entry always share one index, so the parallel lists never drift apart.
// Views paint from it; playback reads paths and the selection from it.
class PlaylistModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    int count() const { return static_cast<int>(m_entries.size()); }
    const PlaylistEntry& entry(int index) const { return m_entries.at(index); }
    // Empty for an index out of range.
    QString fullPath(int index) const;
    QString mediaInfo(int index) const;
    QString title(int index) const;
    bool contains(const QString& path) const { return m_paths.contains(path); }
    int indexOf(const QString& path) const;
    QStringList paths() const;
    QStringList mediaInfos() const;

    // -1 for none.
    int selectedItem() const { return m_selected; }
    QString selectedTitle() const { return title(m_selected); }
    // Takes -1 (nothing selected) or an existing index; anything else is ignored.
    void select(int index);

    void append(const PlaylistEntry& entry);
    // The selection keeps pointing at the same entry where it can.
    void removeAt(int index);
    void clear();
    // Takes the entry at `from` out and puts it back so that it stands at `to`, with its path,
    // description and picture; the selection stays on the entry it pointed at. Indexes out of
    // range, or equal ones, change nothing. False when nothing moved.
    bool move(int from, int to);
    // Where an entry that stood at `index` stands once `from` has moved to `to`.
    static int indexAfterMove(int index, int from, int to);

    // The entry whose file plays (or is paused) now, found by its path, so removals and moves
    // never point the mark at another file. -1 when none of the entries plays.
    int playingIndex() const;
    QString playingPath() const { return m_playingPath; }
    // An empty path marks nothing.
    void setPlayingPath(const QString& path);

    // The selection once the entry at removedIndex is gone and countAfter entries remain.
    static int selectionAfterRemove(int selected, int removedIndex, int countAfter);

signals:
    void entryAdded(int index);
    void entryRemoved(int index);
    void cleared();
    void selectionChanged(int index);
    void entryMoved(int from, int to);
    void playingChanged();

private:
    void announcePlaying();

    QVector<PlaylistEntry> m_entries;
    // Paths never enter twice, so a set answers contains() without a walk over the list.
    QSet<QString> m_paths;
    int m_selected = -1;
    QString m_playingPath;
};

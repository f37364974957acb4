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

    // The selection once the entry at removedIndex is gone and countAfter entries remain.
    static int selectionAfterRemove(int selected, int removedIndex, int countAfter);

signals:
    void entryAdded(int index);
    void entryRemoved(int index);
    void cleared();
    void selectionChanged(int index);

private:
    QVector<PlaylistEntry> m_entries;
    // Paths never enter twice, so a set answers contains() without a walk over the list.
    QSet<QString> m_paths;
    int m_selected = -1;
};

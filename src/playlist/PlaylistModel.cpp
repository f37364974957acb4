#include "playlist/PlaylistModel.h"

#include "util/Logging.h"

#include <algorithm>

QString PlaylistModel::fullPath(int index) const
{
    return index >= 0 && index < count() ? m_entries.at(index).path : QString();
}

QString PlaylistModel::mediaInfo(int index) const
{
    return index >= 0 && index < count() ? m_entries.at(index).mediaInfo : QString();
}

QString PlaylistModel::title(int index) const
{
    return index >= 0 && index < count() ? m_entries.at(index).title : QString();
}

int PlaylistModel::indexOf(const QString& path) const
{
    if (!contains(path)) {
        return -1;
    }
    for (int i = 0; i < count(); ++i) {
        if (m_entries.at(i).path == path) {
            return i;
        }
    }
    return -1;
}

QStringList PlaylistModel::paths() const
{
    QStringList paths;
    paths.reserve(count());
    for (const PlaylistEntry& e : m_entries) {
        paths.append(e.path);
    }
    return paths;
}

QStringList PlaylistModel::mediaInfos() const
{
    QStringList infos;
    infos.reserve(count());
    for (const PlaylistEntry& e : m_entries) {
        infos.append(e.mediaInfo);
    }
    return infos;
}

void PlaylistModel::select(int index)
{
    if (index < -1 || index >= count() || index == m_selected) {
        return;
    }
    m_selected = index;
    emit selectionChanged(index);
}

void PlaylistModel::append(const PlaylistEntry& entry)
{
    m_entries.append(entry);
    if (!entry.path.isEmpty()) {
        m_paths.insert(entry.path);
    }
    emit entryAdded(count() - 1);
}

void PlaylistModel::removeAt(int index)
{
    if (index < 0 || index >= count()) {
        return;
    }
    m_paths.remove(m_entries.takeAt(index).path);
    const int selected = selectionAfterRemove(m_selected, index, count());
    const bool selectionMoved = selected != m_selected;
    m_selected = selected;
    emit entryRemoved(index);
    if (selectionMoved) {
        emit selectionChanged(m_selected);
    }
}

void PlaylistModel::clear()
{
    m_entries.clear();
    m_paths.clear();
    const bool hadSelection = m_selected != -1;
    m_selected = -1;
    emit cleared();
    if (hadSelection) {
        emit selectionChanged(-1);
    }
}

int PlaylistModel::selectionAfterRemove(int selected, int removedIndex, int countAfter)
{
    if (countAfter <= 0) {
        return -1;
    }
    if (selected == removedIndex) {
        return std::min(removedIndex, countAfter - 1);
    }
    // Removing another entry keeps the same one selected, wherever it now stands.
    if (selected > removedIndex) {
        return selected - 1;
    }
    return std::min(selected, countAfter - 1);
}

bool PlaylistModel::move(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to) {
        return false;
    }
    m_entries.move(from, to);
    const int selected = indexAfterMove(m_selected, from, to);
    const bool selectionMoved = selected != m_selected;
    m_selected = selected;
    qCDebug(lcPlaylist) << "moved" << from << to;
    emit entryMoved(from, to);
    if (selectionMoved) {
        emit selectionChanged(m_selected);
    }
    // The playing entry is found by its path; its row may have changed all the same.
    if (!m_playingPath.isEmpty()) {
        announcePlaying();
    }
    return true;
}

int PlaylistModel::indexAfterMove(int index, int from, int to)
{
    if (index < 0 || from == to) {
        return index;
    }
    if (index == from) {
        return to;
    }
    if (from < to && index > from && index <= to) {
        return index - 1;
    }
    if (to < from && index >= to && index < from) {
        return index + 1;
    }
    return index;
}

int PlaylistModel::playingIndex() const
{
    return m_playingPath.isEmpty() ? -1 : indexOf(m_playingPath);
}

void PlaylistModel::setPlayingPath(const QString& path)
{
    if (path == m_playingPath) {
        return;
    }
    m_playingPath = path;
    announcePlaying();
}

void PlaylistModel::announcePlaying()
{
    qCDebug(lcPlaylist).noquote() << "marked" << playingIndex() << m_playingPath;
    emit playingChanged();
}

#include "playlist/RecentHistory.h"

#include "system/UserStore.h"
#include "util/Logging.h"

RecentHistory::RecentHistory(UserStore& store, QObject* parent) : QObject(parent), m_store(store)
{
    // The menu is created with a disabled placeholder in slot 0 and ten hidden items after it.
    m_items[0] = MenuItem{NoHistoryCaption, true, false};
    for (int slot = 1; slot < SlotCount; ++slot) {
        m_items[slot] = MenuItem{QString(), false, true};
    }
}

int RecentHistory::historyCount() const
{
    int count = 0;
    while (count < Capacity && !m_store.readString(NamesKey, QString::number(count)).isEmpty()) {
        ++count;
    }
    return count;
}

void RecentHistory::loadHistory()
{
    m_loaded = true;
    const int count = historyCount();
    for (int slot = 0; slot < count; ++slot) {
        const QString number = QString::number(slot);
        setSlot(slot, m_store.readString(NamesKey, number), m_store.readString(TitlesKey, number));
    }
    qCDebug(lcPlaylist) << "history loaded," << count << "entries";
}

void RecentHistory::addToHistory(const QString& path, const QString& title)
{
    // Recording before the stored entries are known would overwrite the oldest of them.
    if (!m_loaded) {
        loadHistory();
    }
    // An empty path can never be recorded: it would end the stored history early.
    if (path.isEmpty() || !m_recording) {
        return;
    }
    for (const QString& known : m_recentFiles) {
        if (known == path) {
            return;
        }
    }

    const int count = historyCount();
    QList<UserStore::Write> writes;
    // An empty slot 0 marks an empty history; the placeholder caption cannot serve, since a file
    // may carry that very title.
    if (m_recentFiles[0].isEmpty()) {
        storeSlot(0, path, title, writes);
    } else if (count < Capacity) {
        storeSlot(count, path, title, writes);
    } else {
        for (int slot = 0; slot + 1 < Capacity; ++slot) {
            storeSlot(slot, m_recentFiles[slot + 1], m_items[slot + 1].caption, writes);
        }
        storeSlot(Capacity - 1, path, title, writes);
    }
    // One write for the whole change. A failed one is not the user's concern; the entries
    // still show for this run.
    if (!m_store.writeStrings(writes)) {
        qCWarning(lcPlaylist) << "history could not be stored";
    }
    qCDebug(lcPlaylist) << "history added" << path;
}

QString RecentHistory::menuKey(int slot)
{
    if (slot < 0 || slot >= SlotCount) {
        return QString();
    }
    return QStringLiteral("History") + QString::number(slot);
}

int RecentHistory::slotOfMenuKey(const QString& key)
{
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (key == menuKey(slot)) {
            return slot;
        }
    }
    return -1;
}

RecentHistory::MenuItem RecentHistory::menuItem(int slot) const
{
    if (slot < 0 || slot >= SlotCount) {
        return MenuItem{};
    }
    return m_items[slot];
}

QString RecentHistory::recentFile(int slot) const
{
    if (slot < 0 || slot >= SlotCount) {
        return QString();
    }
    return m_recentFiles[slot];
}

std::optional<RecentHistory::Entry> RecentHistory::entry(int slot) const
{
    const QString path = recentFile(slot);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return Entry{path, m_items[slot].caption};
}

void RecentHistory::storeSlot(int slot, const QString& path, const QString& title,
                              QList<UserStore::Write>& writes)
{
    setSlot(slot, path, title);
    const QString number = QString::number(slot);
    writes.append({NamesKey, number, path});
    writes.append({TitlesKey, number, title});
}

void RecentHistory::setSlot(int slot, const QString& path, const QString& title)
{
    const MenuItem item{title, true, true};
    const bool changed = m_items[slot] != item || m_recentFiles[slot] != path;
    m_items[slot] = item;
    m_recentFiles[slot] = path;
    if (changed) {
        emit menuItemChanged(slot);
    }
}

#pragma once

#include "system/UserStore.h"

#include <QObject>
#include <QString>
#include <array>
#include <optional>

// The recently played files: eleven menu slots ("History0" to "History10"), the path behind each,
// and their copy in the per-user store. Slot 0 holds the oldest entry. The menu binds to the
// item data here and follows menuItemChanged.
class RecentHistory : public QObject
{
    Q_OBJECT

public:
    static constexpr int SlotCount = 11;
    // At most ten entries are kept (slots 0 to 9); slot 10 exists in the menu but stays unused.
    static constexpr int Capacity = 10;

    static inline const QString NamesKey =
        QStringLiteral("Software\\Taskel\\Korvane\\RecentFileNames");
    static inline const QString TitlesKey =
        QStringLiteral("Software\\Taskel\\Korvane\\RecentFileTitles");
    static inline const QString NoHistoryCaption = QStringLiteral("<No History>");

    struct MenuItem
    {
        QString caption;
        bool visible = false;
        bool enabled = false;
        bool operator==(const MenuItem&) const = default;
    };

    struct Entry
    {
        QString path;
        QString title;
        bool operator==(const Entry&) const = default;
    };

    explicit RecentHistory(UserStore& store, QObject* parent = nullptr);

    // Number of consecutive non-empty stored paths from value "0" on, at most Capacity.
    int historyCount() const;
    // Fills the menu slots from the store; run once at start-up.
    void loadHistory();
    // Records a file whose playback just started. A path already in the history is left where
    // it is; when the history is full the oldest entry gives way.
    // Nothing is recorded while recording is off; the entries already kept stay and open.
    void addToHistory(const QString& path, const QString& title);
    void setRecording(bool recording) { m_recording = recording; }

    // "History0" ... "History10"; empty for a slot out of range.
    static QString menuKey(int slot);
    // The slot of a menu key (exact, case-sensitive), or -1.
    static int slotOfMenuKey(const QString& key);

    MenuItem menuItem(int slot) const;
    // The path held by a slot (RecentFiles), empty when the slot is free or out of range.
    QString recentFile(int slot) const;
    // What choosing the slot's menu item opens: its path and its caption as title. None for a
    // free slot, so "<No History>" can never be opened.
    std::optional<Entry> entry(int slot) const;

signals:
    void menuItemChanged(int slot);

private:
    void storeSlot(int slot, const QString& path, const QString& title,
                   QList<UserStore::Write>& writes);
    void setSlot(int slot, const QString& path, const QString& title);

    UserStore& m_store;
    std::array<MenuItem, SlotCount> m_items;
    std::array<QString, SlotCount> m_recentFiles;
    bool m_loaded = false;
    bool m_recording = true;
};

#pragma once

#include <QStringList>

struct Settings;

// The nine option strings every engine control is made with.
class EngineOptions
{
public:
    static constexpr int Count = 9;
    static constexpr int SnapshotPathIndex = 2;

    // Rebuilds the list from the settings; the snapshot folder waits for an item.
    void rebuild(const Settings& settings);
    // Points snapshots of this item into "<SnapshotPath>/<file name> Images".
    void setItem(const QString& snapshotPath, const QString& currentFile);
    static QString snapshotFolder(const QString& snapshotPath, const QString& currentFile);

    const QStringList& strings() const { return m_options; }

private:
    QStringList m_options = QStringList(Count);
};

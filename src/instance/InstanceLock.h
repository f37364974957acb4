#pragma once

#include <QString>

// The process-wide "TaskelKorvane" marker: a lock file held shared for the life of the process.
// Any number of players may hold it at once; something that must know whether a player runs
// (an installer, say) can try to take it exclusively.
class InstanceLock
{
public:
    explicit InstanceLock(const QString& name = QStringLiteral("TaskelKorvane"));
    // In the given folder; an empty folder means no lock.
    InstanceLock(const QString& name, const QString& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool isHeld() const { return m_fd >= 0; }
    QString path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

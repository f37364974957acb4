#pragma once

#include "system/DesktopIntegration.h"

#include <QMap>
#include <QStringList>

// The desktop in memory: the user's defaults, the installed entries with their icons, and the
// system's defaults behind the user's.
class FakeDesktopIntegration : public DesktopIntegration
{
public:
    bool installEntry(const QString& desktopId, const QByteArray& content) override
    {
        if (entries.value(desktopId) != content) {
            entries[desktopId] = content;
            ++entryWrites;
        }
        return true;
    }
    std::optional<QString> userDefault(const QString& mimeType) const override
    {
        if (!defaults.contains(mimeType)) {
            return std::nullopt;
        }
        return defaults.value(mimeType);
    }
    bool setUserDefault(const QString& mimeType, const std::optional<QString>& value) override
    {
        if (failDefaults) {
            return false;
        }
        ++defaultWrites;
        if (value) {
            defaults[mimeType] = *value;
        } else {
            defaults.remove(mimeType);
        }
        return true;
    }
    QString defaultApplication(const QString& mimeType) const override
    {
        const std::optional<QString> user = userDefault(mimeType);
        if (user) {
            return user->section(u';', 0, 0);
        }
        return systemDefaults.value(mimeType);
    }
    QString applicationIcon(const QString& desktopId) const override
    {
        return icons.value(desktopId);
    }

    QMap<QString, QByteArray> entries;
    QMap<QString, QString> defaults;
    QMap<QString, QString> systemDefaults;
    QMap<QString, QString> icons;
    int entryWrites = 0;
    int defaultWrites = 0;
    // mimeapps.list cannot be written (a full disk, a refused link).
    bool failDefaults = false;
};

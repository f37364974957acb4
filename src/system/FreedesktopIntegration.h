#pragma once

#include "system/DesktopIntegration.h"

#include <QStringList>

// The desktop as the freedesktop specifications lay it out: desktop entries under
// <data home>/applications, the user's defaults in <config home>/mimeapps.list, and the
// system's defaults in the config and data folders after them.
class FreedesktopIntegration : public DesktopIntegration
{
public:
    // The XDG folders of the environment ($XDG_CONFIG_HOME, $XDG_DATA_HOME and their lists).
    FreedesktopIntegration();
    FreedesktopIntegration(QString configHome, QString dataHome, QStringList configDirs,
                           QStringList dataDirs);

    QString mimeAppsPath() const { return m_configHome + QStringLiteral("/mimeapps.list"); }
    QString applicationsFolder() const { return m_dataHome + QStringLiteral("/applications"); }

    bool installEntry(const QString& desktopId, const QByteArray& content) override;
    std::optional<QString> userDefault(const QString& mimeType) const override;
    bool setUserDefault(const QString& mimeType, const std::optional<QString>& value) override;
    QString defaultApplication(const QString& mimeType) const override;
    QString applicationIcon(const QString& desktopId) const override;

    // The installed file of a desktop id in the data folders; empty when there is none.
    QString findEntry(const QString& desktopId) const;

private:
    QString m_configHome;
    QString m_dataHome;
    QStringList m_configDirs;
    QStringList m_dataDirs;
};

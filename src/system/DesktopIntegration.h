#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the Linux desktop knows about applications and file types: the desktop entries in
// $XDG_DATA_HOME/applications and the defaults in mimeapps.list.
class DesktopIntegration
{
public:
    virtual ~DesktopIntegration() = default;

    // Writes the user's desktop entry with this file id when it is missing or holds other text.
    // False when it could not be written.
    virtual bool installEntry(const QString& desktopId, const QByteArray& content) = 0;
    // The user's own default for a type: the raw value under [Default Applications] in
    // $XDG_CONFIG_HOME/mimeapps.list, none when there is no such entry.
    virtual std::optional<QString> userDefault(const QString& mimeType) const = 0;
    // Sets that entry, or removes it for none; everything else in the file stays.
    virtual bool setUserDefault(const QString& mimeType, const std::optional<QString>& value) = 0;
    // The desktop id the desktop opens a type with, by its own lookup order; empty when none.
    virtual QString defaultApplication(const QString& mimeType) const = 0;
    // The Icon= value of an installed desktop entry; empty when there is none.
    virtual QString applicationIcon(const QString& desktopId) const = 0;
};

#pragma once

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

#include <QStringList>
#include <array>

class FileAssociations;

// Saves an edited record whole: the file associations (store and desktop) first, Config.cfg
// last, so that what Config.cfg asks for is what the store and the desktop hold. Whatever part
// fails is rolled back to what it was, and named for the user.
class SettingsSaver
{
public:
    SettingsSaver(SettingsStore& settings, FileAssociations& associations);

    // What could not be saved, one line each as the user reads it; empty when all was saved.
    // The store takes the record (as far as it was saved) either way.
    QStringList save(const Settings& wanted, const WindowPlacement& placement);

    // The message text for a save that failed in these parts.
    static QString failureText(const QStringList& failed);

private:
    using Flags = std::array<bool, Settings::AssociationCount>;
    // Applies the flags of every extension; false when any write failed.
    bool applyAssociations(const Flags& flags);
    // Gives the extensions whose flag differs between the two back what `to` asks.
    void rollBackAssociations(const Flags& to, const Flags& from);

    SettingsStore& m_settings;
    FileAssociations& m_associations;
};

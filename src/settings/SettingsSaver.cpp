#include "settings/SettingsSaver.h"

#include "system/FileAssociations.h"
#include "util/Logging.h"

SettingsSaver::SettingsSaver(SettingsStore& settings, FileAssociations& associations)
    : m_settings(settings), m_associations(associations)
{}

bool SettingsSaver::applyAssociations(const Flags& flags)
{
    bool all = true;
    for (int i = 0; i < Settings::AssociationCount; ++i) {
        all = m_associations.applyAssociation(i, flags[static_cast<std::size_t>(i)]) && all;
    }
    return all;
}

void SettingsSaver::rollBackAssociations(const Flags& to, const Flags& from)
{
    for (int i = 0; i < Settings::AssociationCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (to[at] != from[at]) {
            m_associations.applyAssociation(i, to[at]);
        }
    }
}

QStringList SettingsSaver::save(const Settings& wanted, const WindowPlacement& placement)
{
    QStringList failed;
    const Flags before = m_settings.settings().associations;
    Settings record = wanted;
    if (!applyAssociations(wanted.associations)) {
        rollBackAssociations(before, wanted.associations);
        record.associations = before;
        failed << QStringLiteral("the file associations (store.ini, mimeapps.list)");
    }
    m_settings.apply(record);
    QString why;
    if (!m_settings.save(placement, &why)) {
        failed << QStringLiteral("the settings file %1 (%2)").arg(m_settings.configPath(), why);
        // Config.cfg still asks for the associations it held, so the store and the desktop go
        // back to them.
        if (record.associations != before) {
            rollBackAssociations(before, record.associations);
            record.associations = before;
            m_settings.apply(record);
        }
    }
    if (failed.isEmpty()) {
        qCDebug(lcSystem) << "settings saved";
    } else {
        qCWarning(lcSystem).noquote() << "settings not saved:" << failed.join(QStringLiteral("; "));
    }
    return failed;
}

QString SettingsSaver::failureText(const QStringList& failed)
{
    return QStringLiteral("These could not be saved:\n\n%1\n\nYour choices are still in the "
                          "dialog.")
        .arg(failed.join(u'\n'));
}

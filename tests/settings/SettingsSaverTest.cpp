#include "settings/SettingsSaver.h"

#include "settings/ConfigFile.h"
#include "settings/SettingsTestSupport.h"
#include "system/FakeDesktopIntegration.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "util/SupportedFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

enum class Blocked
{
    Nothing,
    Desktop,         // mimeapps.list cannot be written
    Store,           // store.ini cannot be written
    ConfigFolder,    // the config folder is not a folder
    ConfigLinkOther, // Config.cfg links to another user's file
};

struct SaveCase
{
    const char* name;
    Blocked blocked;
    const char* failedPart; // in the text the user reads; empty when all saves
    const char* because;    // in that text too
    bool configHasNewValues;
};

const SaveCase kSaves[] = {
    {"AllSaved", Blocked::Nothing, "", "", true},
    {"DesktopRefused", Blocked::Desktop, "file associations", "mimeapps.list", true},
    {"StoreRefused", Blocked::Store, "file associations", "store.ini", true},
    {"ConfigFolderUnusable", Blocked::ConfigFolder, "settings file", "cannot create the folder",
     false},
    {"ConfigLinkedToSomeoneElse", Blocked::ConfigLinkOther, "settings file",
     "not to a regular file of this user", false},
};

class SettingsSaverCase : public testing::TestWithParam<SaveCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_settings.setConfigPath(m_folder.filePath("Config.cfg"));
        m_desktop.defaults["video/x-matroska"] = "mpv.desktop;";
        ASSERT_TRUE(ConfigFile::write(m_settings.configPath(), m_settings.settings()));
        m_settings.load();
    }

    QTemporaryDir m_folder;
    SettingsStore m_settings{settingstest::environment()};
    FakeUserStore m_store;
    FakeDesktopIntegration m_desktop;
    FileAssociations m_associations{m_store, m_desktop, QStringLiteral("/opt/korvane/"),
                                    QStringLiteral("/opt/korvane/korvane")};
};

int indexOf(const char* ext)
{
    return static_cast<int>(SupportedExtensions().indexOf(QString(ext)));
}

} // namespace

TEST_P(SettingsSaverCase, TheThreeFilesAgreeAndTheUserLearnsWhatFailed)
{
    const SaveCase& c = GetParam();
    const QByteArray before = [&] {
        QFile file(m_settings.configPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    switch (c.blocked) {
    case Blocked::Nothing:
        break;
    case Blocked::Desktop:
        m_desktop.failDefaults = true;
        break;
    case Blocked::Store:
        m_store.failWrites = true;
        break;
    case Blocked::ConfigFolder:
        m_settings.setConfigPath(m_folder.filePath("Config.cfg") + "/Config.cfg");
        break;
    case Blocked::ConfigLinkOther: {
        const QString theirs = m_folder.filePath("theirs.cfg");
        ASSERT_TRUE(QFile::rename(m_settings.configPath(), theirs));
        ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 4242, 4242), 0);
        ASSERT_TRUE(QFile::link(theirs, m_settings.configPath()));
        break;
    }
    }

    Settings wanted = m_settings.settings();
    wanted.alwaysOnTop = true;
    wanted.associations[static_cast<std::size_t>(indexOf("mkv"))] = true;
    const QStringList failed = SettingsSaver(m_settings, m_associations).save(wanted, {});

    const bool allSaved = QByteArray(c.failedPart).isEmpty();
    ASSERT_EQ(failed.isEmpty(), allSaved) << failed.join(" ").toStdString();
    if (!allSaved) {
        const QString text = SettingsSaver::failureText(failed);
        EXPECT_TRUE(text.contains(c.failedPart)) << text.toStdString();
        EXPECT_TRUE(text.contains(c.because)) << text.toStdString();
    }
    // What Config.cfg asks for is what the store, the desktop and the record in memory hold.
    const bool associated = m_associations.isAssociated(".mkv", "Korvane.mkv");
    EXPECT_EQ(m_settings.settings().associations[static_cast<std::size_t>(indexOf("mkv"))],
              associated);
    EXPECT_EQ(m_desktop.defaults.value("video/x-matroska"),
              associated ? "korvane.desktop;" : "mpv.desktop;");
    EXPECT_EQ(associated, allSaved);
    if (c.configHasNewValues) {
        const Settings stored =
            ConfigFile::load(m_settings.configPath(), settingstest::environment()).settings;
        EXPECT_TRUE(stored.alwaysOnTop);
        EXPECT_EQ(stored.associations[static_cast<std::size_t>(indexOf("mkv"))], associated);
    } else {
        QFile file(
            m_folder.filePath(c.blocked == Blocked::ConfigLinkOther ? "theirs.cfg" : "Config.cfg"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Saves, SettingsSaverCase, testing::ValuesIn(kSaves),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

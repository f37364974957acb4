#include "SettingsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace settingstest;

namespace {

class ConfigFileLoad : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.path() + QStringLiteral("/Korvane/Config.cfg");
    }

    void put(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QString bak() const { return m_path + QStringLiteral(".bak"); }

    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace

TEST_F(ConfigFileLoad, NoFileLeavesTheDefaultFileBehind)
{
    const auto result = ConfigFile::load(m_path, environment());
    EXPECT_TRUE(result.usedDefaults);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.settings, defaultSettings(environment()));
    EXPECT_EQ(contents(m_path).toStdString(), defaultFileBytes().toStdString());
    EXPECT_FALSE(QFileInfo::exists(bak()));

    // The next start reads what the first one wrote.
    const auto again = ConfigFile::load(m_path, environment());
    EXPECT_FALSE(again.usedDefaults);
    EXPECT_FALSE(again.written);
    EXPECT_EQ(again.settings, result.settings);
}

TEST_F(ConfigFileLoad, AShortFileKeepsWhatItHoldsAndTheMissingValueTakesItsDefault)
{
    const QByteArray short45 = splitLines(unquotedValuesFile()).mid(0, 45).join('\n') + "\n";
    put(m_path, short45);
    const auto result = ConfigFile::load(m_path, environment());
    EXPECT_FALSE(result.usedDefaults);
    EXPECT_TRUE(result.written);
    Settings expected = *ConfigFile::parse(unquotedValuesFile());
    expected.playlistPosition = defaultSettings(environment()).playlistPosition;
    expected.keptNumbers = result.settings.keptNumbers;
    EXPECT_EQ(result.settings, expected);
    EXPECT_EQ(splitLines(contents(m_path)).size(), ConfigFile::ValueCount);
    EXPECT_EQ(contents(bak()).toStdString(), short45.toStdString());
}

TEST_F(ConfigFileLoad, AValueThatCannotBeReadTakesItsDefaultAndOlderBackupsStay)
{
    put(bak(), "an older backup");
    const Settings good = *ConfigFile::parse(unquotedValuesFile());
    for (const QByteArray& wrong : {QByteArray("left "), QByteArray("99999999999 ")}) {
        QByteArray bad = unquotedValuesFile();
        bad.replace("-120 ", wrong);
        put(m_path, bad);
        const auto result = ConfigFile::load(m_path, environment());
        EXPECT_FALSE(result.usedDefaults);
        Settings expected = good;
        expected.windowLeft = defaultSettings(environment()).windowLeft;
        EXPECT_EQ(result.settings, expected) << wrong.toStdString();
        EXPECT_EQ(ConfigFile::parse(contents(m_path)), expected) << "the mended file is written";
    }
    EXPECT_EQ(contents(bak()), "an older backup");
    EXPECT_TRUE(contents(bak() + ".1").contains("left "));
    EXPECT_TRUE(contents(bak() + ".2").contains("99999999999 "));
}

TEST_F(ConfigFileLoad, AFifoInItsPlaceGivesDefaultsWithoutWaitingAndTheFileIsPrivate)
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
    const auto result = ConfigFile::load(m_path, environment());
    EXPECT_TRUE(result.usedDefaults);
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(QFileInfo(m_path).isFile());
    EXPECT_EQ(QFileInfo(m_path).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0)
        << "settings are written for their owner only";
}

TEST_F(ConfigFileLoad, AFileThatCannotBeOpenedIsMovedAsideToo)
{
    // A folder where the file should be cannot be read as one.
    ASSERT_TRUE(QDir().mkpath(m_path + QStringLiteral("/inside")));
    const auto result = ConfigFile::load(m_path, environment());
    EXPECT_TRUE(result.usedDefaults);
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(QFileInfo(bak() + QStringLiteral("/inside")).isDir());
    EXPECT_EQ(contents(m_path).toStdString(), defaultFileBytes().toStdString());
}

TEST_F(ConfigFileLoad, ExtraLinesAreIgnoredAndGoAtTheNextWrite)
{
    const QByteArray longer = unquotedValuesFile() + "extra 1\r\n 42 \r\n";
    put(m_path, longer);
    const auto result = ConfigFile::load(m_path, environment());
    EXPECT_FALSE(result.usedDefaults);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.settings, *ConfigFile::parse(unquotedValuesFile()));
    EXPECT_EQ(contents(m_path), longer);
    EXPECT_FALSE(QFileInfo::exists(bak()));

    ASSERT_TRUE(ConfigFile::write(m_path, result.settings));
    EXPECT_EQ(contents(m_path).toStdString(), unquotedValuesFile().toStdString());
}

TEST_F(ConfigFileLoad, AnEmptyDesktopFolderIsFilledInMemoryUntilTheNextWrite)
{
    QList<QByteArray> lines = unquotedValuesFile().split('\n');
    lines[1] = "   \r";
    const QByteArray file = lines.join('\n');
    put(m_path, file);

    const auto result = ConfigFile::load(m_path, environment());
    EXPECT_FALSE(result.usedDefaults);
    EXPECT_EQ(result.settings.desktopFolder, QStringLiteral("/home/ann/Desktop"));
    EXPECT_EQ(result.settings.playMode, PlayMode::Shuffle);
    EXPECT_EQ(contents(m_path), file);

    ASSERT_TRUE(ConfigFile::write(m_path, result.settings));
    EXPECT_EQ(splitLines(contents(m_path))[1], "/home/ann/Desktop\r");
}

TEST_F(ConfigFileLoad, DefaultsStillComeBackWhenTheDefaultFileCannotBeWritten)
{
    put(m_dir.path() + QStringLiteral("/Korvane"), "a file, not a folder");
    const auto result = ConfigFile::load(m_path, environment());
    EXPECT_TRUE(result.usedDefaults);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.settings, defaultSettings(environment()));
}

TEST_F(ConfigFileLoad, WriteCreatesTheFolderAndReplacesTheFile)
{
    Settings s = defaultSettings(environment());
    ASSERT_TRUE(ConfigFile::write(m_path, s));
    s.playMode = PlayMode::Shuffle;
    s.snapshotPrefix = QStringLiteral("shot, \"1\"");
    ASSERT_TRUE(ConfigFile::write(m_path, s));
    EXPECT_EQ(contents(m_path), ConfigFile::format(s));
    EXPECT_EQ(QDir(QFileInfo(m_path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Config.cfg")});
}

TEST_F(ConfigFileLoad, WriteFailsCleanlyWhenTheFolderCannotExist)
{
    put(m_dir.path() + QStringLiteral("/Korvane"), "a file, not a folder");
    EXPECT_FALSE(ConfigFile::write(m_path, defaultSettings(environment())));
    EXPECT_EQ(contents(m_dir.path() + QStringLiteral("/Korvane")), "a file, not a folder");
}

TEST_F(ConfigFileLoad, AWriteThatRunsOutOfSpaceLeavesTheOldFileWhole)
{
    put(m_path, unquotedValuesFile());
    const Settings next = defaultSettings(environment());
    const auto fullSize = static_cast<rlim_t>(ConfigFile::format(next).size());

    // A file-size limit fails the write part way through, as a full disk would, even for root.
    for (const rlim_t limit : {rlim_t(0), rlim_t(1), rlim_t(100), fullSize - 1}) {
        struct rlimit saved
        {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit tight = saved;
        tight.rlim_cur = limit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
        const bool ok = ConfigFile::write(m_path, next);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        EXPECT_FALSE(ok) << limit;
        EXPECT_EQ(contents(m_path).toStdString(), unquotedValuesFile().toStdString()) << limit;
        EXPECT_EQ(QDir(QFileInfo(m_path).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("Config.cfg")});
    }
    // With room again the same write goes through.
    EXPECT_TRUE(ConfigFile::write(m_path, next));
    EXPECT_EQ(contents(m_path).toStdString(), defaultFileBytes().toStdString());
}

TEST_F(ConfigFileLoad, TextThatIsNotUtf8IsReadAsWindows1252)
{
    struct Case
    {
        QByteArray language; // line 1, byte for byte
        QString read;
    };
    const Case cases[] = {
        {"Fran\xE7"
         "ais",
         QStringLiteral("Fran\u00E7ais")},
        {"\x80uro \x93quoted\x94 \x9F", QStringLiteral("\u20ACuro \u201Cquoted\u201D \u0178")},
        {"unassigned \x81\x8D", QStringLiteral("unassigned \u0081\u008D")},
        // Valid UTF-8 stays UTF-8, a stray byte elsewhere in the file does not change that line.
        {"Fran\xC3\xA7"
         "ais",
         QStringLiteral("Fran\u00E7ais")},
    };
    for (const Case& c : cases) {
        QList<QByteArray> lines = splitLines(unquotedValuesFile());
        lines[0] = c.language + "\r";
        const QByteArray file = lines.join('\n') + "\n";
        put(m_path, file);
        const auto result = ConfigFile::load(m_path, environment());
        EXPECT_FALSE(result.usedDefaults) << c.language.toStdString();
        EXPECT_EQ(result.settings.language, c.read) << c.language.toStdString();
        EXPECT_EQ(contents(m_path), file) << "read without rewriting";

        // The next write keeps the text, now as UTF-8.
        ASSERT_TRUE(ConfigFile::write(m_path, result.settings));
        EXPECT_EQ(ConfigFile::load(m_path, environment()).settings.language, c.read);
        EXPECT_FALSE(contents(m_path).contains("\xEF\xBF\xBD")) << "no replacement characters";
    }
}

TEST_F(ConfigFileLoad, AFileFarLargerThanSettingsCanBeIsNotReadWhole)
{
    struct Case
    {
        const char* name;
        qint64 padding; // bytes of extra lines after the 46 values
        bool readable;
    };
    const Case cases[] = {
        {"a few extra lines", 100, true},
        {"just at the limit", ConfigFile::MaxFileBytes - unquotedValuesFile().size(), true},
        {"one byte over", ConfigFile::MaxFileBytes - unquotedValuesFile().size() + 1, false},
        {"300 MB", 300LL * 1024 * 1024, false},
    };
    for (const Case& c : cases) {
        QFile::remove(bak());
        {
            QDir().mkpath(QFileInfo(m_path).absolutePath());
            QFile file(m_path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(unquotedValuesFile());
            // A sparse tail costs no disk: only the size counts.
            ASSERT_TRUE(file.resize(unquotedValuesFile().size() + c.padding));
        }
        const auto result = ConfigFile::load(m_path, environment());
        EXPECT_EQ(result.usedDefaults, !c.readable) << c.name;
        EXPECT_EQ(QFileInfo::exists(bak()), !c.readable) << c.name;
        if (c.readable) {
            EXPECT_EQ(result.settings, *ConfigFile::parse(unquotedValuesFile())) << c.name;
        } else {
            EXPECT_EQ(QFileInfo(bak()).size(), unquotedValuesFile().size() + c.padding) << c.name;
            EXPECT_EQ(contents(m_path).toStdString(), defaultFileBytes().toStdString()) << c.name;
        }
    }
}

TEST(ConfigFilePath, LivesInTheUsersConfigFolder)
{
    EXPECT_EQ(ConfigFile::defaultPath(), QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) +
                                             QStringLiteral("/Korvane/Config.cfg"));
}

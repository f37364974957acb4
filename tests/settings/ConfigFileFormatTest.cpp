#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

using namespace settingstest;

TEST(ConfigFileFormat, DefaultsGiveTheExactFirstStartFile)
{
    const QByteArray bytes = ConfigFile::format(defaultSettings(environment()));
    EXPECT_EQ(bytes.toStdString(), defaultFileBytes().toStdString());

    EXPECT_EQ(bytes.count("\r\n"), ConfigFile::ValueCount);
    EXPECT_EQ(bytes.count('\n'), ConfigFile::ValueCount);
    EXPECT_EQ(bytes.count('\r'), ConfigFile::ValueCount);
    EXPECT_TRUE(bytes.endsWith("\r\n"));

    const QList<QByteArray> lines = splitLines(bytes);
    ASSERT_EQ(lines.size(), ConfigFile::ValueCount);
    EXPECT_EQ(lines[0], "English\r");
    EXPECT_EQ(lines[2], " 1 \r");
    EXPECT_EQ(lines[3], " 2 \r");
    EXPECT_EQ(lines[13], "/home/ann/Pictures\r");
    EXPECT_EQ(lines[14], "IMG_\r");
    EXPECT_EQ(lines[41], " 4770 \r");
    EXPECT_EQ(lines[45], " 0 \r");
}

TEST(ConfigFileFormat, NumbersCarryABlankOrMinusForTheSignAndATrailingBlank)
{
    Settings s = defaultSettings(environment());
    s.associations[0] = true;
    s.associations[23] = true;
    s.windowLeft = -2147483647 - 1;
    s.windowTop = 2147483647;
    s.alwaysOnTop = true;
    s.titleBarMode = static_cast<TitleBarMode>(-32768);
    s.keepHistory = false;
    s.playlistPosition = static_cast<PlaylistPosition>(32767);
    const QList<QByteArray> lines = splitLines(ConfigFile::format(s));
    ASSERT_EQ(lines.size(), ConfigFile::ValueCount);
    EXPECT_EQ(lines[17], "-1 \r");
    EXPECT_EQ(lines[18], " 0 \r");
    EXPECT_EQ(lines[40], "-1 \r");
    EXPECT_EQ(lines[41], "-2147483648 \r");
    EXPECT_EQ(lines[42], " 2147483647 \r");
    EXPECT_EQ(lines[4], " 1 \r");
    EXPECT_EQ(lines[5], "-32768 \r");
    EXPECT_EQ(lines[6], " 0 \r");
    EXPECT_EQ(lines[45], " 32767 \r");
}

TEST(ConfigFileFormat, PlainStringsAreWrittenUnchangedAsUtf8)
{
    Settings s = defaultSettings(environment());
    s.language = QStringLiteral("Fran\u00e7ais");
    s.desktopFolder = QStringLiteral("/home/\u0417\u043e\u044f/Desktop");
    s.snapshotPath = QStringLiteral("/media/My Pictures/2024 (x) 'a'");
    s.snapshotPrefix = QString();
    const QList<QByteArray> lines = splitLines(ConfigFile::format(s));
    ASSERT_EQ(lines.size(), ConfigFile::ValueCount);
    EXPECT_EQ(lines[0], "Fran\xc3\xa7"
                        "ais\r");
    EXPECT_EQ(lines[1], "/home/\xd0\x97\xd0\xbe\xd1\x8f/Desktop\r");
    EXPECT_EQ(lines[13], "/media/My Pictures/2024 (x) 'a'\r");
    EXPECT_EQ(lines[14], "\r");
}

TEST(ConfigFileFormat, StringsThatWouldNotReadBackAreQuoted)
{
    Settings s = defaultSettings(environment());
    s.language = QStringLiteral("a,b");
    s.desktopFolder = QStringLiteral("say \"hi\"");
    s.snapshotPath = QStringLiteral("  lead");
    s.snapshotPrefix = QStringLiteral("trail ");
    const QList<QByteArray> lines = splitLines(ConfigFile::format(s));
    ASSERT_EQ(lines.size(), ConfigFile::ValueCount);
    EXPECT_EQ(lines[0], "\"a,b\"\r");
    EXPECT_EQ(lines[1], "\"say \"\"hi\"\"\"\r");
    EXPECT_EQ(lines[13], "\"  lead\"\r");
    EXPECT_EQ(lines[14], "\"trail \"\r");
}

TEST(ConfigFileFormat, AwkwardStringsSurviveARoundTrip)
{
    const QStringList awkward = {
        QString(),
        QStringLiteral(","),
        QStringLiteral(",,,"),
        QStringLiteral("\""),
        QStringLiteral("\"\""),
        QStringLiteral("\"quoted at both ends\""),
        QStringLiteral("\"leading quote only"),
        QStringLiteral("a\"\"b"),
        QStringLiteral(" "),
        QStringLiteral("   "),
        QStringLiteral(" both "),
        QStringLiteral("/home/a,b/c \"d\" e"),
        QStringLiteral("line\r\nbreak"),
        QStringLiteral("\n"),
        QStringLiteral("tab\there"),
        QStringLiteral("\u65e5\u672c, \"\u8a9e\""),
    };
    for (const QString& value : awkward) {
        Settings s = defaultSettings(environment());
        s.language = value;
        s.desktopFolder = value + QStringLiteral("x");
        s.snapshotPath = value;
        s.snapshotPrefix = QStringLiteral("x") + value;
        const auto back = ConfigFile::parse(ConfigFile::format(s));
        ASSERT_TRUE(back.has_value()) << value.toStdString();
        EXPECT_EQ(*back, s) << value.toStdString();
    }
}

TEST(ConfigFileFormat, EveryFieldRoundTripsAtTheLimitsOfItsType)
{
    Settings s;
    s.language = QStringLiteral("L");
    s.desktopFolder = QStringLiteral("D");
    s.playMode = static_cast<PlayMode>(-2147483647 - 1);
    s.repeatMode = static_cast<RepeatMode>(2147483647);
    s.alwaysOnTop = true;
    s.titleBarMode = static_cast<TitleBarMode>(32767);
    s.keepHistory = true;
    s.launchFullscreen = false;
    s.rememberLastPos = true;
    s.rememberLastSize = false;
    s.openMode = static_cast<OpenMode>(-32768);
    s.disableScreenSaver = true;
    s.showInTray = false;
    s.snapshotPath = QStringLiteral("P");
    s.snapshotPrefix = QStringLiteral("X");
    s.snapshotPreview = true;
    s.snapshotFormat = static_cast<SnapshotFormat>(9);
    for (int i = 0; i < Settings::AssociationCount; ++i) {
        s.associations[static_cast<std::size_t>(i)] = i % 3 == 1;
    }
    s.windowLeft = -1;
    s.windowTop = 11;
    s.windowWidth = 12;
    s.windowHeight = 13;
    s.playlistPosition = static_cast<PlaylistPosition>(-7);
    const auto back = ConfigFile::parse(ConfigFile::format(s));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
}

TEST(ConfigFileRecordPosition, CopiesRoundedPositionOnlyWhenNeitherFlagIsSet)
{
    Settings s = defaultSettings(environment());
    s.windowLeft = 111;
    s.windowTop = 222;

    ConfigFile::recordPosition(s, true, false, 0.0, 0.0);
    EXPECT_EQ(s.windowLeft, 111);
    EXPECT_EQ(s.windowTop, 222);

    ConfigFile::recordPosition(s, false, true, 0.0, 0.0);
    EXPECT_EQ(s.windowLeft, 111);
    EXPECT_EQ(s.windowTop, 222);

    ConfigFile::recordPosition(s, true, true, 0.0, 0.0);
    EXPECT_EQ(s.windowLeft, 111);

    ConfigFile::recordPosition(s, false, false, 1502.5, -7.5);
    EXPECT_EQ(s.windowLeft, 1502);
    EXPECT_EQ(s.windowTop, -8);

    ConfigFile::recordPosition(s, false, false, 1e12, -1e12);
    EXPECT_EQ(s.windowLeft, 2147483647);
    EXPECT_EQ(s.windowTop, -2147483647 - 1);
}

TEST(ConfigFileRecordPosition, MaximizedAtExitKeepsThePositionFromBeforeInTheFile)
{
    Settings s = defaultSettings(environment());
    ConfigFile::recordPosition(s, false, false, 3000.0, 2000.0);
    // The maximized window sits at 0,0; its position must not reach the file.
    ConfigFile::recordPosition(s, true, false, 0.0, 0.0);
    const QList<QByteArray> lines = splitLines(ConfigFile::format(s));
    EXPECT_EQ(lines[41], " 3000 \r");
    EXPECT_EQ(lines[42], " 2000 \r");
}

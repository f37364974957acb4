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
    s.Associations[0] = -1;
    s.Associations[23] = -1;
    s.WindowLeft = -2147483647 - 1;
    s.WindowTop = 2147483647;
    s.AlwaysOnTop = -32768;
    s.KeepHistory = 32767;
    const QList<QByteArray> lines = splitLines(ConfigFile::format(s));
    ASSERT_EQ(lines.size(), ConfigFile::ValueCount);
    EXPECT_EQ(lines[17], "-1 \r");
    EXPECT_EQ(lines[18], " 0 \r");
    EXPECT_EQ(lines[40], "-1 \r");
    EXPECT_EQ(lines[41], "-2147483648 \r");
    EXPECT_EQ(lines[42], " 2147483647 \r");
    EXPECT_EQ(lines[4], "-32768 \r");
    EXPECT_EQ(lines[6], " 32767 \r");
}

TEST(ConfigFileFormat, PlainStringsAreWrittenUnchangedAsUtf8)
{
    Settings s = defaultSettings(environment());
    s.Language = QStringLiteral("Fran\u00e7ais");
    s.DesktopFolder = QStringLiteral("/home/\u0417\u043e\u044f/Desktop");
    s.SnapshotPath = QStringLiteral("/media/My Pictures/2024 (x) 'a'");
    s.SnapshotPrefix = QString();
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
    s.Language = QStringLiteral("a,b");
    s.DesktopFolder = QStringLiteral("say \"hi\"");
    s.SnapshotPath = QStringLiteral("  lead");
    s.SnapshotPrefix = QStringLiteral("trail ");
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
        s.Language = value;
        s.DesktopFolder = value + QStringLiteral("x");
        s.SnapshotPath = value;
        s.SnapshotPrefix = QStringLiteral("x") + value;
        const auto back = ConfigFile::parse(ConfigFile::format(s));
        ASSERT_TRUE(back.has_value()) << value.toStdString();
        EXPECT_EQ(*back, s) << value.toStdString();
    }
}

TEST(ConfigFileFormat, EveryFieldRoundTripsAtTheLimitsOfItsType)
{
    Settings s;
    s.Language = QStringLiteral("L");
    s.DesktopFolder = QStringLiteral("D");
    s.PlayMode = -2147483647 - 1;
    s.RepeatMode = 2147483647;
    s.AlwaysOnTop = -32768;
    s.TitleBarMode = 32767;
    s.KeepHistory = 1;
    s.LaunchFullscreen = 2;
    s.RememberLastPos = 3;
    s.RememberLastSize = 4;
    s.UseNewPlayer = 5;
    s.DisableScreenSaver = 6;
    s.ShowInTray = 7;
    s.SnapshotPath = QStringLiteral("P");
    s.SnapshotPrefix = QStringLiteral("X");
    s.SnapshotPreview = 8;
    s.SnapshotFormat = 9;
    for (int i = 0; i < Settings::AssociationCount; ++i) {
        s.Associations[static_cast<std::size_t>(i)] = static_cast<qint16>(i * 100 - 1000);
    }
    s.WindowLeft = -1;
    s.WindowTop = 11;
    s.WindowWidth = 12;
    s.WindowHeight = 13;
    s.PlaylistPosition = 4;
    const auto back = ConfigFile::parse(ConfigFile::format(s));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, s);
}

TEST(ConfigFileRecordPosition, CopiesRoundedPositionOnlyWhenNeitherFlagIsSet)
{
    Settings s = defaultSettings(environment());
    s.WindowLeft = 111;
    s.WindowTop = 222;

    ConfigFile::recordPosition(s, true, false, 0.0, 0.0);
    EXPECT_EQ(s.WindowLeft, 111);
    EXPECT_EQ(s.WindowTop, 222);

    ConfigFile::recordPosition(s, false, true, 0.0, 0.0);
    EXPECT_EQ(s.WindowLeft, 111);
    EXPECT_EQ(s.WindowTop, 222);

    ConfigFile::recordPosition(s, true, true, 0.0, 0.0);
    EXPECT_EQ(s.WindowLeft, 111);

    ConfigFile::recordPosition(s, false, false, 1502.5, -7.5);
    EXPECT_EQ(s.WindowLeft, 1502);
    EXPECT_EQ(s.WindowTop, -8);

    ConfigFile::recordPosition(s, false, false, 1e12, -1e12);
    EXPECT_EQ(s.WindowLeft, 2147483647);
    EXPECT_EQ(s.WindowTop, -2147483647 - 1);
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

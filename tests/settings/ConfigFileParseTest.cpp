#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

using namespace settingstest;

namespace {

QByteArray withLine(const QByteArray& file, int index, const QByteArray& replacement)
{
    QList<QByteArray> lines = file.split('\n');
    lines[index] = replacement + "\r";
    return lines.join('\n');
}

QByteArray firstLines(const QByteArray& file, int count)
{
    return splitLines(file).mid(0, count).join('\n') + "\n";
}

} // namespace

TEST(ConfigFileParse, ReadsAFileOfPlainUnquotedValues)
{
    const auto s = ConfigFile::parse(oldFormFile());
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->Language, QStringLiteral("English"));
    EXPECT_EQ(s->DesktopFolder, QStringLiteral("C:\\Documents and Settings\\Ann\\Desktop"));
    EXPECT_EQ(s->PlayMode, 2);
    EXPECT_EQ(s->RepeatMode, 0);
    EXPECT_EQ(s->AlwaysOnTop, 1);
    EXPECT_EQ(s->ShowInTray, 1);
    EXPECT_EQ(s->SnapshotPath, QStringLiteral("C:\\"));
    EXPECT_EQ(s->SnapshotPrefix, QStringLiteral("IMG_"));
    EXPECT_EQ(s->SnapshotPreview, 0);
    EXPECT_EQ(s->SnapshotFormat, 1);
    EXPECT_EQ(s->Associations[0], -1);
    EXPECT_EQ(s->Associations[1], 0);
    EXPECT_EQ(s->Associations[21], -1);
    EXPECT_EQ(s->WindowLeft, -120);
    EXPECT_EQ(s->WindowTop, 300);
    EXPECT_EQ(s->WindowWidth, 9000);
    EXPECT_EQ(s->WindowHeight, 6000);
    EXPECT_EQ(s->PlaylistPosition, 3);
    // Written back, the old file comes out byte for byte the same.
    EXPECT_EQ(ConfigFile::format(*s).toStdString(), oldFormFile().toStdString());
}

TEST(ConfigFileParse, OldFormStringsKeepTheirOldReading)
{
    const QByteArray file = oldFormFile();
    // A comma still ends a plain value; the rest is the next value, which shifts the numbers.
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 0, "Eng,lish")).has_value());
    // "b" lands in SnapshotPrefix, and "IMG_" then breaks a number.
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 13, "C:\\a,b")).has_value());
    auto s = ConfigFile::parse(withLine(withLine(file, 13, "C:\\a,b"), 14, " 0 "));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->SnapshotPath, QStringLiteral("C:\\a"));
    EXPECT_EQ(s->SnapshotPrefix, QStringLiteral("b"));
    EXPECT_EQ(s->SnapshotPreview, 0);

    // Leading blanks of a plain value are lost, trailing ones kept, inner quotes kept.
    s = ConfigFile::parse(withLine(file, 0, "   Deutsch  "));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->Language, QStringLiteral("Deutsch  "));
    s = ConfigFile::parse(withLine(file, 1, "C:\\My \"Best\" Folder"));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->DesktopFolder, QStringLiteral("C:\\My \"Best\" Folder"));

    // A value that begins with a double quote runs to the next one; the rest of the line goes.
    s = ConfigFile::parse(withLine(file, 1, "\"C:\\Quoted Folder\""));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->DesktopFolder, QStringLiteral("C:\\Quoted Folder"));
    s = ConfigFile::parse(withLine(file, 1, "\"C:\\Quoted\" tail"));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->DesktopFolder, QStringLiteral("C:\\Quoted"));
    EXPECT_EQ(s->PlayMode, 2);
}

TEST(ConfigFileParse, AQuoteLeftOpenRunsOnToTheNextQuote)
{
    QByteArray file = oldFormFile();
    file = withLine(file, 0, "\"English");
    file = withLine(file, 1, "Desk\",top");
    const auto s = ConfigFile::parse(file);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->Language, QStringLiteral("English\r\nDesk"));
    EXPECT_EQ(s->DesktopFolder, QStringLiteral("top"));

    // With no closing quote the value swallows the rest and the file is short.
    EXPECT_FALSE(ConfigFile::parse(withLine(oldFormFile(), 1, "\"C:\\open")).has_value());
}

TEST(ConfigFileParse, EmptyStringLinesReadAsEmptyValues)
{
    auto s = ConfigFile::parse(withLine(defaultFileBytes(), 1, ""));
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->DesktopFolder.isEmpty());
    EXPECT_EQ(s->PlayMode, 1);

    s = ConfigFile::parse(withLine(defaultFileBytes(), 1, "    "));
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->DesktopFolder.isEmpty());
    EXPECT_EQ(s->PlayMode, 1);
}

TEST(ConfigFileParse, NumbersEndAtABlankACommaOrTheLineEnd)
{
    QByteArray file = defaultFileBytes();
    file = withLine(file, 2, "2");
    file = withLine(file, 3, "   0,");
    file = withLine(file, 4, "1   ");
    file = withLine(file, 5, "+2");
    file = withLine(file, 6, "-0");
    const auto s = ConfigFile::parse(file);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->PlayMode, 2);
    EXPECT_EQ(s->RepeatMode, 0);
    EXPECT_EQ(s->AlwaysOnTop, 1);
    EXPECT_EQ(s->TitleBarMode, 2);
    EXPECT_EQ(s->KeepHistory, 0);

    // Two numbers on one line are two values: everything after shifts by one.
    const auto shifted = ConfigFile::parse(withLine(defaultFileBytes(), 44, " 7725 3"));
    ASSERT_TRUE(shifted.has_value());
    EXPECT_EQ(shifted->WindowHeight, 7725);
    EXPECT_EQ(shifted->PlaylistPosition, 3);

    // Blank lines before a number are skipped, so the 46 values still arrive.
    QByteArray gaps = defaultFileBytes();
    gaps.replace(" 4770 \r\n", "\r\n\r\n 4770 \r\n");
    const auto skipped = ConfigFile::parse(gaps);
    ASSERT_TRUE(skipped.has_value());
    EXPECT_EQ(skipped->WindowLeft, 4770);
}

TEST(ConfigFileParse, TextInANumericFieldFails)
{
    const QByteArray file = defaultFileBytes();
    for (const QByteArray& bad :
         {QByteArray("one"), QByteArray("1x"), QByteArray("1.5"), QByteArray("-"), QByteArray("+"),
          QByteArray("&H10"), QByteArray("1e3"), QByteArray("--1"), QByteArray(","),
          QByteArray("\xd9\xa1")}) {
        EXPECT_FALSE(ConfigFile::parse(withLine(file, 2, bad)).has_value()) << bad.toStdString();
        EXPECT_FALSE(ConfigFile::parse(withLine(file, 20, bad)).has_value()) << bad.toStdString();
    }
}

TEST(ConfigFileParse, NumbersOutsideTheirFieldTypeFail)
{
    const QByteArray file = defaultFileBytes();
    // Line 5 is a 16-bit field, line 42 a 32-bit one.
    EXPECT_TRUE(ConfigFile::parse(withLine(file, 4, "32767")).has_value());
    EXPECT_TRUE(ConfigFile::parse(withLine(file, 4, "-32768")).has_value());
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 4, "32768")).has_value());
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 4, "-32769")).has_value());
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 30, "65535")).has_value());

    EXPECT_TRUE(ConfigFile::parse(withLine(file, 41, "2147483647")).has_value());
    EXPECT_TRUE(ConfigFile::parse(withLine(file, 41, "-2147483648")).has_value());
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 41, "2147483648")).has_value());
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 41, "-2147483649")).has_value());
    EXPECT_FALSE(
        ConfigFile::parse(withLine(file, 41, "99999999999999999999999999999")).has_value());

    // Leading zeros are only zeros.
    const auto s = ConfigFile::parse(withLine(file, 4, "000000000000000000000032767"));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->AlwaysOnTop, 32767);
}

TEST(ConfigFileParse, AShortFileFailsAndExtraLinesAreIgnored)
{
    const QByteArray file = defaultFileBytes();
    EXPECT_FALSE(ConfigFile::parse(QByteArray()).has_value());
    EXPECT_FALSE(ConfigFile::parse(firstLines(file, 45)).has_value());
    EXPECT_FALSE(ConfigFile::parse(firstLines(file, 1)).has_value());
    // A 45-line file with a stray blank last line is still short.
    EXPECT_FALSE(ConfigFile::parse(firstLines(file, 45) + "   \r\n\r\n").has_value());

    const auto longer = ConfigFile::parse(file + "extra\r\n 99 \r\n,,,\"\r\n");
    ASSERT_TRUE(longer.has_value());
    EXPECT_EQ(*longer, defaultSettings(environment()));
}

TEST(ConfigFileParse, AnyLineEndStyleAndAMissingFinalLineEndRead)
{
    const Settings expected = defaultSettings(environment());
    QByteArray lf = defaultFileBytes();
    lf.replace("\r\n", "\n");
    QByteArray cr = defaultFileBytes();
    cr.replace("\r\n", "\r");
    QByteArray unterminated = defaultFileBytes();
    unterminated.chop(2);
    QByteArray unterminatedNoBlank = unterminated;
    unterminatedNoBlank.chop(1);

    for (const QByteArray& file : {lf, cr, unterminated, unterminatedNoBlank}) {
        const auto s = ConfigFile::parse(file);
        ASSERT_TRUE(s.has_value()) << file.toStdString();
        EXPECT_EQ(*s, expected);
    }

    // An empty line keeps its meaning whichever line ends the file uses.
    QByteArray lfEmpty = withLine(defaultFileBytes(), 1, "");
    lfEmpty.replace("\r\n", "\n");
    QByteArray crEmpty = withLine(defaultFileBytes(), 1, "");
    crEmpty.replace("\r\n", "\r");
    for (const QByteArray& file : {lfEmpty, crEmpty}) {
        const auto s = ConfigFile::parse(file);
        ASSERT_TRUE(s.has_value());
        EXPECT_TRUE(s->DesktopFolder.isEmpty());
        EXPECT_EQ(s->PlayMode, 1);
    }
}

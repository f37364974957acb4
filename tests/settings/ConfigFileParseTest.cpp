#include "SettingsTestSupport.h"

#include <functional>
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

TEST(ConfigFileParse, ReadsAFileOfPlainValues)
{
    const auto s = ConfigFile::parse(unquotedValuesFile());
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->language, QStringLiteral("English"));
    EXPECT_EQ(s->desktopFolder, QStringLiteral("C:\\Documents and Settings\\Ann\\Desktop"));
    EXPECT_EQ(s->playMode, PlayMode::Shuffle);
    EXPECT_EQ(s->repeatMode, RepeatMode::NoRepeat);
    EXPECT_TRUE(s->alwaysOnTop);
    EXPECT_TRUE(s->showInTray);
    EXPECT_EQ(s->snapshotPath, QStringLiteral("C:\\"));
    EXPECT_EQ(s->snapshotPrefix, QStringLiteral("IMG_"));
    EXPECT_FALSE(s->snapshotPreview);
    EXPECT_EQ(s->snapshotFormat, SnapshotFormat::Png);
    EXPECT_TRUE(s->associations[0]);
    EXPECT_FALSE(s->associations[1]);
    EXPECT_TRUE(s->associations[21]);
    EXPECT_EQ(s->windowLeft, -120);
    EXPECT_EQ(s->windowTop, 300);
    EXPECT_EQ(s->windowWidth, 9000);
    EXPECT_EQ(s->windowHeight, 6000);
    EXPECT_EQ(s->playlistPosition, PlaylistPosition::Bottom);
    // Written back, the old file comes out byte for byte the same.
    EXPECT_EQ(ConfigFile::format(*s).toStdString(), unquotedValuesFile().toStdString());
}

TEST(ConfigFileParse, PlainStringsEndAtACommaAndLoseLeadingBlanks)
{
    const QByteArray file = unquotedValuesFile();
    // A comma still ends a plain value; the rest is the next value, which shifts the numbers.
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 0, "Eng,lish")).has_value());
    // "b" lands in SnapshotPrefix, and "IMG_" then breaks a number.
    EXPECT_FALSE(ConfigFile::parse(withLine(file, 13, "C:\\a,b")).has_value());
    auto s = ConfigFile::parse(withLine(withLine(file, 13, "C:\\a,b"), 14, " 0 "));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->snapshotPath, QStringLiteral("C:\\a"));
    EXPECT_EQ(s->snapshotPrefix, QStringLiteral("b"));
    EXPECT_FALSE(s->snapshotPreview);

    // Leading blanks of a plain value are lost, trailing ones kept, inner quotes kept.
    s = ConfigFile::parse(withLine(file, 0, "   Deutsch  "));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->language, QStringLiteral("Deutsch  "));
    s = ConfigFile::parse(withLine(file, 1, "C:\\My \"Best\" Folder"));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->desktopFolder, QStringLiteral("C:\\My \"Best\" Folder"));

    // A value that begins with a double quote runs to the next one; the rest of the line goes.
    s = ConfigFile::parse(withLine(file, 1, "\"C:\\Quoted Folder\""));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->desktopFolder, QStringLiteral("C:\\Quoted Folder"));
    s = ConfigFile::parse(withLine(file, 1, "\"C:\\Quoted\" tail"));
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->desktopFolder, QStringLiteral("C:\\Quoted"));
    EXPECT_EQ(s->playMode, PlayMode::Shuffle);
}

TEST(ConfigFileParse, AQuoteLeftOpenRunsOnToTheNextQuote)
{
    QByteArray file = unquotedValuesFile();
    file = withLine(file, 0, "\"English");
    file = withLine(file, 1, "Desk\",top");
    const auto s = ConfigFile::parse(file);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->language, QStringLiteral("English\r\nDesk"));
    EXPECT_EQ(s->desktopFolder, QStringLiteral("top"));

    // With no closing quote the value swallows the rest and the file is short.
    EXPECT_FALSE(ConfigFile::parse(withLine(unquotedValuesFile(), 1, "\"C:\\open")).has_value());
}

TEST(ConfigFileParse, EmptyStringLinesReadAsEmptyValues)
{
    auto s = ConfigFile::parse(withLine(defaultFileBytes(), 1, ""));
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->desktopFolder.isEmpty());
    EXPECT_EQ(s->playMode, PlayMode::Continuous);

    s = ConfigFile::parse(withLine(defaultFileBytes(), 1, "    "));
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->desktopFolder.isEmpty());
    EXPECT_EQ(s->playMode, PlayMode::Continuous);
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
    EXPECT_EQ(s->playMode, PlayMode::Shuffle);
    EXPECT_EQ(s->repeatMode, RepeatMode::NoRepeat);
    EXPECT_TRUE(s->alwaysOnTop);
    EXPECT_EQ(s->titleBarMode, TitleBarMode::ProductOnly);
    EXPECT_FALSE(s->keepHistory);

    // Two numbers on one line are two values: everything after shifts by one.
    const auto shifted = ConfigFile::parse(withLine(defaultFileBytes(), 44, " 7725 3"));
    ASSERT_TRUE(shifted.has_value());
    EXPECT_EQ(shifted->windowHeight, 7725);
    EXPECT_EQ(shifted->playlistPosition, PlaylistPosition::Bottom);

    // Blank lines before a number are skipped, so the 46 values still arrive.
    QByteArray gaps = defaultFileBytes();
    gaps.replace(" 4770 \r\n", "\r\n\r\n 4770 \r\n");
    const auto skipped = ConfigFile::parse(gaps);
    ASSERT_TRUE(skipped.has_value());
    EXPECT_EQ(skipped->windowLeft, 4770);
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
    EXPECT_TRUE(s->alwaysOnTop);
    EXPECT_EQ(splitLines(ConfigFile::format(*s))[4], " 32767 \r");
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
        EXPECT_TRUE(s->desktopFolder.isEmpty());
        EXPECT_EQ(s->playMode, PlayMode::Continuous);
    }
}

namespace {

struct KeptCase
{
    const char* name;
    int line;           // index in the file
    QByteArray written; // the line as read and as written back
};

void PrintTo(const KeptCase& c, std::ostream* os)
{
    *os << c.name << ": line " << c.line << " \"" << c.written.toStdString() << '"';
}

class ConfigFileKeeps : public testing::TestWithParam<KeptCase>
{};

// Numbers the record has no words for: each is read, then written back as it was.
const KeptCase kKeptCases[] = {
    {"PlayModeOutOfRange", 2, " 7 "},       {"RepeatModeNegative", 3, "-4 "},
    {"AlwaysOnTopMinusOne", 4, "-1 "},      {"TitleBarModeSeven", 5, " 7 "},
    {"KeepHistoryLargest", 6, " 32767 "},   {"OpenModeTwo", 10, " 2 "},
    {"ScreenSaverSmallest", 11, "-32768 "}, {"SnapshotFormatThree", 16, " 3 "},
    {"AssociationOne", 17, " 1 "},          {"AssociationFive", 40, " 5 "},
    {"PlaylistPositionNine", 45, " 9 "},    {"PlaylistPositionMinusOne", 45, "-1 "},
};

} // namespace

TEST_P(ConfigFileKeeps, AnUnknownNumberIsWrittenBackAsItWasRead)
{
    const KeptCase& c = GetParam();
    const QByteArray file = withLine(defaultFileBytes(), c.line, c.written);
    const auto s = ConfigFile::parse(file);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(ConfigFile::format(*s).toStdString(), file.toStdString());
    // A record that holds it is not the default record.
    EXPECT_NE(*s, defaultSettings(environment()));
}

INSTANTIATE_TEST_SUITE_P(Values, ConfigFileKeeps, testing::ValuesIn(kKeptCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(ConfigFileParse, UnusualOnNumbersReadAsOnAndGiveWayToAChange)
{
    QByteArray file = withLine(defaultFileBytes(), 4, "-1 "); // always on top
    file = withLine(file, 20, " 3 ");                         // association 3
    auto s = ConfigFile::parse(file);
    ASSERT_TRUE(s.has_value());
    EXPECT_TRUE(s->alwaysOnTop);
    EXPECT_TRUE(s->associations[3]);
    EXPECT_FALSE(s->associations[2]);

    // Switched off, the usual "off" is written; the other values stay as read.
    s->alwaysOnTop = false;
    QList<QByteArray> lines = splitLines(ConfigFile::format(*s));
    EXPECT_EQ(lines[4], " 0 \r");
    EXPECT_EQ(lines[20], " 3 \r");

    // Switched back on after the change was taken, the usual "on" is written: 1 for a check
    // box, -1 for an extension.
    ConfigFile::forgetChangedFlags(*s);
    s->alwaysOnTop = true;
    s->associations[3] = false;
    ConfigFile::forgetChangedFlags(*s);
    s->associations[3] = true;
    lines = splitLines(ConfigFile::format(*s));
    EXPECT_EQ(lines[4], " 1 \r");
    EXPECT_EQ(lines[20], "-1 \r");
}

TEST(ConfigFileParse, KnownChoicesReadAsTheirNames)
{
    const struct
    {
        int line;
        QByteArray text;
        std::function<bool(const Settings&)> holds;
    } cases[] = {
        {2, " 0 ",
         [](const Settings& s) {
             return s.playMode == PlayMode::Normal;
         }},
        {3, " 1 ",
         [](const Settings& s) {
             return s.repeatMode == RepeatMode::SingleRepeat;
         }},
        {5, " 0 ",
         [](const Settings& s) {
             return s.titleBarMode == TitleBarMode::FileName;
         }},
        {10, " 1 ",
         [](const Settings& s) {
             return s.openMode == OpenMode::NewPlayer;
         }},
        {16, " 1 ",
         [](const Settings& s) {
             return s.snapshotFormat == SnapshotFormat::Png;
         }},
        {45, " 1 ",
         [](const Settings& s) {
             return s.playlistPosition == PlaylistPosition::Right;
         }},
        {45, " 2 ",
         [](const Settings& s) {
             return s.playlistPosition == PlaylistPosition::Top;
         }},
        {45, " 4 ",
         [](const Settings& s) {
             return s.playlistPosition == PlaylistPosition::Fill;
         }},
        {15, " 0 ",
         [](const Settings& s) {
             return !s.snapshotPreview;
         }},
        {12, " 1 ",
         [](const Settings& s) {
             return s.showInTray;
         }},
    };
    for (const auto& c : cases) {
        const auto s = ConfigFile::parse(withLine(defaultFileBytes(), c.line, c.text));
        ASSERT_TRUE(s.has_value()) << c.line;
        EXPECT_TRUE(c.holds(*s)) << "line " << c.line << ": " << c.text.toStdString();
        EXPECT_TRUE(s->keptNumbers.isEmpty()) << c.line;
    }
}

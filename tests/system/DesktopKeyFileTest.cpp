#include "system/DesktopKeyFile.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct Edit
{
    const char* name;
    const char* before;
    const char* key;
    std::optional<const char*> value; // none removes the key
    const char* after;
};

const Edit kEdits[] = {
    {"NewFileGetsTheGroup", "", "video/x-matroska", "korvane.desktop;",
     "[Default Applications]\nvideo/x-matroska=korvane.desktop;\n"},
    {"ValueReplacedWhereItStands",
     "# mine\n[Default Applications]\naudio/mpeg=vlc.desktop;\nvideo/mp4=mpv.desktop;\n",
     "audio/mpeg", "korvane.desktop;",
     "# mine\n[Default Applications]\naudio/mpeg=korvane.desktop;\nvideo/mp4=mpv.desktop;\n"},
    {"NewKeyGoesBeforeTheBlankLinesOfItsGroup",
     "[Default Applications]\naudio/mpeg=vlc.desktop;\n\n[Added "
     "Associations]\nvideo/mp4=a.desktop;\n",
     "video/mpeg", "korvane.desktop;",
     "[Default Applications]\naudio/mpeg=vlc.desktop;\nvideo/mpeg=korvane.desktop;\n\n"
     "[Added Associations]\nvideo/mp4=a.desktop;\n"},
    {"SameKeyInAnotherGroupIsNotTouched", "[Added Associations]\naudio/mpeg=vlc.desktop;\n",
     "audio/mpeg", "korvane.desktop;",
     "[Added Associations]\naudio/mpeg=vlc.desktop;\n\n[Default Applications]\n"
     "audio/mpeg=korvane.desktop;\n"},
    {"RemovalKeepsCommentsAndOtherGroups",
     "[Added Associations]\naudio/mpeg=vlc.desktop;\n# keep me\n[Default Applications]\n"
     "audio/mpeg=korvane.desktop;\n# and me\nvideo/mp4=mpv.desktop;\n",
     "audio/mpeg", std::nullopt,
     "[Added Associations]\naudio/mpeg=vlc.desktop;\n# keep me\n[Default Applications]\n"
     "# and me\nvideo/mp4=mpv.desktop;\n"},
    {"RemovingAnAbsentKeyChangesNothing", "[Default Applications]\nvideo/mp4=mpv.desktop;",
     "audio/mpeg", std::nullopt, "[Default Applications]\nvideo/mp4=mpv.desktop;"},
    {"CrLfFileKeepsItsLineEnds", "[Default Applications]\r\naudio/mpeg=vlc.desktop;\r\n",
     "audio/mpeg", "korvane.desktop;", "[Default Applications]\r\naudio/mpeg=korvane.desktop;\r\n"},
    {"NewLinesTakeTheFilesLineEnd", "# mine\r\n", "audio/mpeg", "k.desktop;",
     "# mine\r\n\r\n[Default Applications]\r\naudio/mpeg=k.desktop;\r\n"},
    {"MixedLineEndsStayWhereTheyAre", "# a\r\n# b\n[Default Applications]\r\nx/y=a;\n", "x/y",
     "k.desktop;", "# a\r\n# b\n[Default Applications]\r\nx/y=k.desktop;\n"},
    {"LoneCarriageReturnsAreKept", "# a\rb\r\r\n[Default Applications]\nx/y=a;\r\r\n", "z/w", "k;",
     "# a\rb\r\r\n[Default Applications]\nx/y=a;\r\r\nz/w=k;\r\n"},
    {"LastLineWithoutAnEndGetsOneBeforeANewKey", "[Default Applications]\r\nx/y=a;", "z/w", "k;",
     "[Default Applications]\r\nx/y=a;\r\nz/w=k;\r\n"},
    {"SpacesAroundTheEqualsSignStillName", "[Default Applications]\naudio/mpeg = vlc.desktop;\n",
     "audio/mpeg", "korvane.desktop;", "[Default Applications]\naudio/mpeg=korvane.desktop;\n"},
    {"CommentedKeyIsNoKey", "[Default Applications]\n#audio/mpeg=vlc.desktop;\n", "audio/mpeg",
     "k.desktop;", "[Default Applications]\n#audio/mpeg=vlc.desktop;\naudio/mpeg=k.desktop;\n"},
};

class DesktopKeyFileEdit : public testing::TestWithParam<Edit>
{};

} // namespace

TEST_P(DesktopKeyFileEdit, KeepsEverythingElse)
{
    const Edit& edit = GetParam();
    DesktopKeyFile file = DesktopKeyFile::parse(edit.before);
    const QString group = QStringLiteral("Default Applications");
    if (edit.value) {
        file.setValue(group, edit.key, *edit.value);
        EXPECT_EQ(file.value(group, edit.key), QString(*edit.value));
    } else {
        file.removeKey(group, edit.key);
        EXPECT_EQ(file.value(group, edit.key), std::nullopt);
    }
    EXPECT_EQ(file.serialize(), QByteArray(edit.after));
}

INSTANTIATE_TEST_SUITE_P(Edits, DesktopKeyFileEdit, testing::ValuesIn(kEdits),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(DesktopKeyFile, ReadsTheFirstGroupAndKeyOnly)
{
    const DesktopKeyFile file = DesktopKeyFile::parse(
        "[Desktop Entry]\nIcon=first\nIcon=second\n[Desktop Action x]\nIcon=action\n");
    EXPECT_EQ(file.value("Desktop Entry", "Icon"), QString("first"));
    EXPECT_EQ(file.value("Desktop Action x", "Icon"), QString("action"));
    EXPECT_EQ(file.value("Desktop Entry", "Exec"), std::nullopt);
    EXPECT_EQ(file.value("Nowhere", "Icon"), std::nullopt);
}

TEST(DesktopKeyFile, ListItemsDropBlanks)
{
    EXPECT_EQ(DesktopKeyFile::listItems(" a.desktop;;b.desktop ; "),
              (QStringList{"a.desktop", "b.desktop"}));
    EXPECT_TRUE(DesktopKeyFile::listItems("").isEmpty());
}

TEST(DesktopKeyFile, BytesInAnotherEncodingSurviveAnEdit)
{
    // Latin-1 "café" and "Größe": not UTF-8, and not ours to change.
    const QByteArray before = "# caf\xe9\r\n[Default Applications]\r\nx/y=a;\r\n"
                              "[Gr\xf6\xdf"
                              "e]\nName=\xff\xfe\n";
    DesktopKeyFile file = DesktopKeyFile::parse(before);
    file.setValue("Default Applications", "x/y", "k.desktop;");
    file.removeKey("Default Applications", "x/y");
    file.setValue("Default Applications", "x/y", "a;");
    EXPECT_EQ(file.serialize(), before);
}

TEST(DesktopKeyFile, RepeatedRewritesAreStable)
{
    QByteArray text = "[Default Applications]\r\r\nx/y=a;\r\r\r\n\r";
    for (int i = 0; i < 3; ++i) {
        DesktopKeyFile file = DesktopKeyFile::parse(text);
        file.setValue("Default Applications", "x/y", "a;");
        file.setValue("Default Applications", "z/w", "b;");
        file.removeKey("Default Applications", "z/w");
        const QByteArray again = file.serialize();
        EXPECT_EQ(again, text) << i;
        text = again;
    }
}

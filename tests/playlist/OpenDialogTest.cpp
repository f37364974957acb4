#include "playlist/OpenDialog.h"

#include "FakeFileChooser.h"

#include <gtest/gtest.h>

namespace {

const QStringList kExtensions = {"wav", "flv", "mka",  "mkv", "mp3", "mpg", "mpe", "mpeg",
                                 "aac", "mp4", "m4v",  "m4a", "ogm", "ogg", "mov", "hdmov",
                                 "qt",  "3gp", "3gpp", "3g2", "avi", "wma", "wmv", "asf"};

} // namespace

TEST(OpenDialogFilters, FilterTextIsExact)
{
    EXPECT_EQ(OpenDialog::buildFilterText(kExtensions),
              "All Supported Formats|*.wav;*.flv;*.mka;*.mkv;*.mp3;*.mpg;*.mpe;*.mpeg;*.aac;"
              "*.mp4;*.m4v;*.m4a;*.ogm;*.ogg;*.mov;*.hdmov;*.qt;*.3gp;*.3gpp;*.3g2;*.avi;*.wma;"
              "*.wmv;*.asf|WAV|*.wav|FLV|*.flv|MKA|*.mka|MKV|*.mkv|MP3|*.mp3|MPG|*.mpg|MPE|*.mpe|"
              "MPEG|*.mpeg|AAC|*.aac|MP4|*.mp4|M4V|*.m4v|M4A|*.m4a|OGM|*.ogm|OGG|*.ogg|MOV|*.mov|"
              "HDMOV|*.hdmov|QT|*.qt|3GP|*.3gp|3GPP|*.3gpp|3G2|*.3g2|AVI|*.avi|WMA|*.wma|WMV|"
              "*.wmv|ASF|*.asf");
    EXPECT_EQ(OpenDialog::buildFilterText({"avi"}), "All Supported Formats|*.avi|AVI|*.avi");
}

TEST(OpenDialogFilters, QtFiltersAreTheTwentyFiveEntriesInOrder)
{
    const QStringList filters = OpenDialog::nameFilters(OpenDialog::buildFilterText(kExtensions));
    ASSERT_EQ(filters.size(), 25);
    EXPECT_EQ(filters[0], "All Supported Formats (*.wav *.flv *.mka *.mkv *.mp3 *.mpg *.mpe "
                          "*.mpeg *.aac *.mp4 *.m4v *.m4a *.ogm *.ogg *.mov *.hdmov *.qt *.3gp "
                          "*.3gpp *.3g2 *.avi *.wma *.wmv *.asf)");
    EXPECT_EQ(filters[1], "WAV (*.wav)");
    EXPECT_EQ(filters[2], "FLV (*.flv)");
    EXPECT_EQ(filters[16], "HDMOV (*.hdmov)");
    EXPECT_EQ(filters[24], "ASF (*.asf)");
    for (int i = 0; i < kExtensions.size(); ++i) {
        EXPECT_EQ(filters[i + 1], kExtensions[i].toUpper() + " (*." + kExtensions[i] + ")");
    }
}

TEST(OpenDialogFilters, MediaFiltersKeepTheTwentyFiveThenAddAllMediaAndAllFiles)
{
    const QStringList filters = OpenDialog::nameFilters(
        OpenDialog::buildMediaFilterText(kExtensions, kExtensions + QStringList{"webm", "flac"}));
    ASSERT_EQ(filters.size(), 27);
    EXPECT_EQ(filters.mid(0, 25),
              OpenDialog::nameFilters(OpenDialog::buildFilterText(kExtensions)));
    EXPECT_TRUE(filters[25].startsWith("All Media Files (*.wav *.flv "));
    EXPECT_TRUE(filters[25].endsWith(" *.asf *.webm *.flac)"));
    // Already in Qt's form: not "All Files (*) (*)".
    EXPECT_EQ(filters[26], "All Files (*)");
}

TEST(OpenDialogFilters, MalformedFilterTextGivesOnlyCompleteEntries)
{
    EXPECT_EQ(OpenDialog::nameFilters("Video|*.avi;;*.mkv;|Odd"),
              QStringList{"Video (*.avi *.mkv)"});
    EXPECT_TRUE(OpenDialog::nameFilters("").isEmpty());
}

TEST(OpenDialogPaths, FolderAndFileNameOfPath)
{
    EXPECT_EQ(OpenDialog::folderOfPath("/media/a.avi"), "/media");
    EXPECT_EQ(OpenDialog::folderOfPath("/x.mp3"), "/");
    EXPECT_EQ(OpenDialog::folderOfPath("a.avi"), "a.avi");
    EXPECT_EQ(OpenDialog::fileNameOfPath("/media/a.avi"), "a.avi");
    EXPECT_EQ(OpenDialog::fileNameOfPath("a.avi"), "a.avi");
    EXPECT_EQ(OpenDialog::fileNameOfPath("/media/"), "");
}

TEST(OpenDialogRun, AsksForTheTitleFiltersAndNoFolderAtFirst)
{
    FakeFileChooser chooser;
    OpenDialog dialog(chooser);
    EXPECT_TRUE(dialog.chooseMediaFiles(kExtensions, kExtensions).isEmpty());
    ASSERT_EQ(chooser.calls.size(), 1);
    EXPECT_EQ(chooser.calls[0].title, "Open Video File");
    EXPECT_EQ(chooser.calls[0].nameFilters,
              OpenDialog::nameFilters(OpenDialog::buildMediaFilterText(kExtensions, kExtensions)));
    EXPECT_EQ(chooser.calls[0].initialFolder, "");
}

TEST(OpenDialogRun, OneFileGivesItsNameAndPathAndRemembersTheFolder)
{
    FakeFileChooser chooser;
    chooser.answers = {{"/media/a.avi"}};
    OpenDialog dialog(chooser);
    EXPECT_EQ(dialog.chooseMediaFiles(kExtensions, kExtensions),
              (QList<ChosenFile>{{"a.avi", "/media/a.avi"}}));
    EXPECT_EQ(dialog.lastDialogFolder(), "/media");
    dialog.chooseMediaFiles(kExtensions, kExtensions);
    EXPECT_EQ(chooser.calls[1].initialFolder, "/media");
}

TEST(OpenDialogRun, SeveralFilesKeepTheDialogsOrder)
{
    FakeFileChooser chooser;
    chooser.answers = {{"/media/b.mkv", "/media/a.avi", "/media/c.mp3"}};
    OpenDialog dialog(chooser);
    EXPECT_EQ(dialog.chooseMediaFiles(kExtensions, kExtensions),
              (QList<ChosenFile>{{"b.mkv", "/media/b.mkv"},
                                 {"a.avi", "/media/a.avi"},
                                 {"c.mp3", "/media/c.mp3"}}));
    EXPECT_EQ(dialog.lastDialogFolder(), "/media");
}

TEST(OpenDialogRun, FilesInTheRootKeepASingleSlash)
{
    FakeFileChooser chooser;
    chooser.answers = {{"/x.mp3", "/y.mp3"}};
    OpenDialog dialog(chooser);
    EXPECT_EQ(dialog.chooseMediaFiles(kExtensions, kExtensions),
              (QList<ChosenFile>{{"x.mp3", "/x.mp3"}, {"y.mp3", "/y.mp3"}}));
    EXPECT_EQ(dialog.lastDialogFolder(), "/");
}

TEST(OpenDialogRun, CancelLeavesTheFolderAsItWas)
{
    FakeFileChooser chooser;
    chooser.answers = {{"/media/a.avi"}, {}, {"/other/b.avi"}};
    OpenDialog dialog(chooser);
    dialog.chooseMediaFiles(kExtensions, kExtensions);
    EXPECT_TRUE(dialog.chooseMediaFiles(kExtensions, kExtensions).isEmpty());
    EXPECT_EQ(dialog.lastDialogFolder(), "/media");
    dialog.chooseMediaFiles(kExtensions, kExtensions);
    EXPECT_EQ(chooser.calls[2].initialFolder, "/media");
    EXPECT_EQ(dialog.lastDialogFolder(), "/other");
}

TEST(OpenDialogRun, AFileChosenTwiceIsReturnedOnce)
{
    FakeFileChooser chooser;
    chooser.answers = {{"/media/a.avi", "", "/media/b.avi", "/media/a.avi", "/else/a.avi"}};
    OpenDialog dialog(chooser);
    EXPECT_EQ(dialog.chooseMediaFiles(kExtensions, kExtensions),
              (QList<ChosenFile>{
                  {"a.avi", "/media/a.avi"}, {"b.avi", "/media/b.avi"}, {"a.avi", "/else/a.avi"}}));
}

TEST(OpenDialogRun, TheFolderIsNotKeptBetweenRuns)
{
    FakeFileChooser chooser;
    chooser.answers = {{"/media/a.avi"}};
    OpenDialog(chooser).chooseMediaFiles(kExtensions, kExtensions);
    OpenDialog nextRun(chooser);
    EXPECT_EQ(nextRun.lastDialogFolder(), "");
}

#include "playback/DvdRules.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace DvdRules;

TEST(DvdRulesTest, LabelsAndDrives)
{
    struct Case
    {
        const char* context;
        QVector<OpticalDrive> drives;
        DriveList list;
    };
    const Case cases[] = {
        {"no optical drive", {}, {}},
        {"a disc", {{"/dev/sr0", true, "MOVIE"}}, {{"MOVIE (/dev/sr0)"}, {"/dev/sr0"}}},
        {"no disc: no drive name kept",
         {{"/dev/sr0", false, {}}},
         {{"<Please insert a DVD> (/dev/sr0)"}, {""}}},
        {"two drives, disc in the second",
         {{"/dev/sr0", false, {}}, {"/dev/sr1", true, "FILM"}},
         {{"<Please insert a DVD> (/dev/sr0)", "FILM (/dev/sr1)"}, {"", "/dev/sr1"}}},
        {"name cut at its first NUL",
         {{"/dev/sr0", true, QString("AB") + QChar(0) + "junk"}},
         {{"AB (/dev/sr0)"}, {"/dev/sr0"}}},
        {"empty volume name", {{"/dev/sr0", true, ""}}, {{" (/dev/sr0)"}, {"/dev/sr0"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enumerate(c.drives), c.list) << c.context;
    }
}

TEST(DvdRulesTest, DriveReadBackFromTheLabel)
{
    struct Case
    {
        QString label;
        QString drive;
    };
    const Case cases[] = {
        {"MOVIE (/dev/sr0)", "/dev/sr0"},
        {" (/dev/sr1)", "/dev/sr1"},
        {"<Please insert a DVD> (/dev/sr0)", "/dev/sr0"},
        // The name's own parenthesis comes first: no drive is found there.
        {"FILM (DISC 1) (/dev/sr0)", "DISC 1"},
        {"SMILE :( (/dev/sr0)", " (/dev/sr0"},
        {"NO PARENTHESIS", ""},
        {"OPEN (/dev/sr0", "/dev/sr0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(driveOfLabel(c.label), c.drive) << c.label.toStdString();
    }
    EXPECT_EQ(address("/dev/sr0"), "dvd:///dev/sr0");
}

TEST(DvdRulesTest, MenusFollowTheDrives)
{
    const MenuItem hidden{};
    {
        const Menus m = menus({});
        EXPECT_EQ(m.tray, QStringList{NoDrivesText});
        ASSERT_EQ(m.main.size(), MainMenuSlots);
        EXPECT_EQ(m.main[0], (MenuItem{NoDrivesText, true, false}));
        for (int i = 1; i < MainMenuSlots; ++i) {
            EXPECT_EQ(m.main[i], hidden) << i;
        }
        EXPECT_FALSE(playable(m, 0));
    }
    {
        DriveList list;
        for (int i = 0; i < 8; ++i) {
            list.dvdLabels << QString("D%1 (/dev/sr%1)").arg(i);
            list.dvdDrives << QString("/dev/sr%1").arg(i);
        }
        list.dvdLabels[1] = "<Please insert a DVD> (/dev/sr1)";
        list.dvdDrives[1].clear();
        const Menus m = menus(list);
        EXPECT_EQ(m.tray, list.dvdLabels) << "every drive in the tray";
        for (int i = 0; i < MainMenuSlots; ++i) {
            EXPECT_EQ(m.main[i], (MenuItem{list.dvdLabels[i], true, true})) << i;
        }
        const bool expected[] = {true, false, true, true, true, true, true, true};
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(playable(m, i), expected[i]) << i;
        }
        EXPECT_FALSE(playable(m, -1));
        EXPECT_FALSE(playable(m, 8));
    }
}

TEST(DvdRulesTest, WatchStartsVideoDiscsOnce)
{
    struct Case
    {
        const char* context;
        QStringList labels;
        QSet<QString> videoTs;
        QStringList before;
        WatchStep step;
    };
    const Case cases[] = {
        {"no optical drive", {}, {}, {}, {}},
        {"no disc", {"<Please insert a DVD> (/dev/sr0)"}, {}, {}, {}},
        {"two drives, video disc in the second",
         {"<Please insert a DVD> (/dev/sr0)", "MOVIE (/dev/sr1)"},
         {"/dev/sr1"},
         {},
         {{1}, {"MOVIE (/dev/sr1)"}}},
        {"a parenthesis in the name hides the drive",
         {"FILM (DISC 1) (/dev/sr0)"},
         {"/dev/sr0"},
         {},
         {}},
        {"data disc: listed, never started", {"BACKUP (/dev/sr0)"}, {}, {}, {}},
        {"two video discs: both started, the last stays",
         {"A (/dev/sr0)", "B (/dev/sr1)"},
         {"/dev/sr0", "/dev/sr1"},
         {},
         {{0, 1}, {"A (/dev/sr0)", "B (/dev/sr1)"}}},
        {"started before and still in: left alone",
         {"MOVIE (/dev/sr0)"},
         {"/dev/sr0"},
         {"MOVIE (/dev/sr0)"},
         {{}, {"MOVIE (/dev/sr0)"}}},
        {"ejected: forgotten", {"<Please insert a DVD> (/dev/sr0)"}, {}, {"MOVIE (/dev/sr0)"}, {}},
        {"another disc in the same drive starts",
         {"OTHER (/dev/sr0)"},
         {"/dev/sr0"},
         {"MOVIE (/dev/sr0)"},
         {{0}, {"OTHER (/dev/sr0)"}}},
    };
    for (const Case& c : cases) {
        QStringList asked;
        const WatchStep step = watch(
            c.labels,
            [&](const QString& drive) {
                asked << drive;
                return c.videoTs.contains(drive);
            },
            c.before);
        EXPECT_EQ(step.start, c.step.start) << c.context;
        EXPECT_EQ(step.started, c.step.started) << c.context;
        EXPECT_FALSE(asked.contains("")) << c.context;
    }
}

#include "playlist/ResumePoints.h"

#include "system/FakeUserStore.h"
#include "system/FileUserStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Point = ResumePoints::Point;

TEST(ResumePoints, ParsesOnlyWellFormedSlots)
{
    const std::pair<const char*, std::optional<Point>> cases[] = {
        {"15000 /m/a.mkv", Point{"/m/a.mkv", 15000}},
        // Only the first blank separates: the rest is the path, blanks and all.
        {"61000 /m/my film .mkv", Point{"/m/my film .mkv", 61000}},
        {"15000 ", std::nullopt},
        {"15000/m/a.mkv", std::nullopt},
        {"-15000 /m/a.mkv", std::nullopt},
        {"1e4 /m/a.mkv", std::nullopt},
        {"1234567890123456 /m/a.mkv", std::nullopt}, // too long to be a time
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ResumePoints::parse(QString::fromUtf8(value)), expected) << value;
    }
}

TEST(ResumePoints, DamagedAndRepeatedSlotsArePassedOverAndTheNextWriteDropsThem)
{
    FakeUserStore store;
    const auto slot = [&store](int n, const char* value) {
        store.writeString(ResumePoints::Key, QString::number(n), value);
    };
    slot(0, "20000 /m/a.mkv");
    slot(1, "garbage");
    slot(3, "30000 /m/b.mkv"); // slot 2 missing: later slots still count
    slot(4, "99999 /m/a.mkv"); // older than slot 0's
    slot(199, "40000 /m/c.mkv");
    ResumePoints points(store);
    points.load();
    const QList<Point> loaded{{"/m/a.mkv", 20000}, {"/m/b.mkv", 30000}, {"/m/c.mkv", 40000}};
    EXPECT_EQ(points.points(), loaded);

    EXPECT_TRUE(points.forget("/m/b.mkv"));
    EXPECT_EQ(store.readString(ResumePoints::Key, "1"), "40000 /m/c.mkv");
    EXPECT_EQ(store.readString(ResumePoints::Key, "199"), QString());
    EXPECT_FALSE(points.forget("/m/unknown.mkv"));
}

TEST(ResumePoints, TheNewestTwoHundredAreKeptOneWriteEach)
{
    FakeUserStore store;
    ResumePoints points(store);
    for (int i = 0; i < 205; ++i) {
        ASSERT_TRUE(points.remember(QString("/m/%1.mkv").arg(i), 11000 + i));
    }
    points.remember("/m/5.mkv", 12345); // again: the newest, not a second point
    EXPECT_EQ(store.batches, 206);
    ResumePoints reread(store);
    reread.load();
    EXPECT_EQ(reread.points().size(), ResumePoints::Capacity);
    EXPECT_EQ(reread.points().front(), (Point{"/m/5.mkv", 12345}));
    EXPECT_EQ(reread.position("/m/204.mkv"), 11204);
    EXPECT_EQ(reread.position("/m/4.mkv"), std::nullopt);
}

TEST(ResumePoints, AFailedWriteIsCleanedUpByTheNextOne)
{
    FakeUserStore store;
    ResumePoints points(store);
    points.remember("/m/a.mkv", 20000);
    points.remember("/m/b.mkv", 30000);
    store.failWrites = true;
    EXPECT_FALSE(points.forget("/m/a.mkv"));
    store.failWrites = false;
    EXPECT_TRUE(points.forget("/m/b.mkv")); // the store still held two slots
    ResumePoints reread(store);
    reread.load();
    EXPECT_TRUE(reread.points().isEmpty());
}

// An older store without points, and a path with the store file's own markers.
TEST(ResumePoints, LiveInTheStoreFileBesideTheHistory)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("store.ini");
    QFile older(file);
    ASSERT_TRUE(older.open(QIODevice::WriteOnly));
    older.write("[Software\\Taskel\\Korvane\\RecentFileNames]\n0=/m/a.mkv\n");
    older.close();
    const QString odd = "/m/[x]=%y\r\n@z.mkv";
    {
        FileUserStore store(file);
        ResumePoints points(store);
        points.load();
        EXPECT_TRUE(points.points().isEmpty());
        ASSERT_TRUE(points.remember(odd, 61000));
    }
    FileUserStore store(file);
    EXPECT_EQ(store.readString("Software\\Taskel\\Korvane\\RecentFileNames", "0"), "/m/a.mkv");
    ResumePoints points(store);
    points.load();
    EXPECT_EQ(points.position(odd), 61000);
}

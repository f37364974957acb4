#include "playlist/ResumePoints.h"

#include "system/FakeUserStore.h"
#include "system/FileUserStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ParseCase
{
    const char* name;
    const char* value;
    std::optional<ResumePoints::Point> expected;
};

void PrintTo(const ParseCase& c, std::ostream* out)
{
    *out << '"' << c.value << '"';
}

class ResumePointParse : public ::testing::TestWithParam<ParseCase>
{};

void storeSlot(UserStore& store, int slot, const QString& value)
{
    store.writeString(ResumePoints::Key, QString::number(slot), value);
}

} // namespace

TEST_P(ResumePointParse, ReadsOnlyWellFormedSlots)
{
    const ParseCase& c = GetParam();
    EXPECT_EQ(ResumePoints::parse(QString::fromUtf8(c.value)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResumePointParse,
    ::testing::Values(ParseCase{"plain", "15000 /m/a.mkv", ResumePoints::Point{"/m/a.mkv", 15000}},
                      // Only the first blank separates: the rest is the path, blanks and all.
                      ParseCase{"blanksInThePath", "61000 /m/my film .mkv",
                                ResumePoints::Point{"/m/my film .mkv", 61000}},
                      ParseCase{"utf8Path", "12000 /m/été.ogg",
                                ResumePoints::Point{"/m/été.ogg", 12000}},
                      ParseCase{"noPath", "15000 ", std::nullopt},
                      ParseCase{"noBlank", "15000/m/a.mkv", std::nullopt},
                      ParseCase{"noNumber", " /m/a.mkv", std::nullopt},
                      ParseCase{"negative", "-15000 /m/a.mkv", std::nullopt},
                      ParseCase{"fraction", "150.5 /m/a.mkv", std::nullopt},
                      ParseCase{"letters", "1e4 /m/a.mkv", std::nullopt},
                      ParseCase{"tooLongToBeATime", "1234567890123456 /m/a.mkv", std::nullopt},
                      ParseCase{"empty", "", std::nullopt}),
    [](const ::testing::TestParamInfo<ParseCase>& param) { return param.param.name; });

TEST(ResumePoints, FormatAndParseGiveThePointBack)
{
    const ResumePoints::Point point{"/m/a b=c%d[e].mkv", 987654321};
    EXPECT_EQ(ResumePoints::parse(ResumePoints::format(point)), point);
}

TEST(ResumePoints, AStoreWithoutPointsLoadsEmpty)
{
    FakeUserStore store;
    store.writeString("Software\\Taskel\\Korvane\\RecentFileNames", "0", "/m/a.mkv");
    ResumePoints points(store);
    points.load();
    EXPECT_TRUE(points.points().isEmpty());
    EXPECT_EQ(points.position("/m/a.mkv"), std::nullopt);
}

TEST(ResumePoints, DamagedAndRepeatedSlotsArePassedOverNotFatal)
{
    FakeUserStore store;
    storeSlot(store, 0, "20000 /m/a.mkv");
    storeSlot(store, 1, "garbage");
    storeSlot(store, 3, "30000 /m/b.mkv"); // slot 2 missing: later slots still count
    storeSlot(store, 4, "99999 /m/a.mkv"); // older than slot 0's
    storeSlot(store, 199, "40000 /m/c.mkv");
    storeSlot(store, 200, "50000 /m/d.mkv"); // beyond the kept slots
    ResumePoints points(store);
    points.load();
    EXPECT_EQ(points.points(), (QList<ResumePoints::Point>{
                                   {"/m/a.mkv", 20000}, {"/m/b.mkv", 30000}, {"/m/c.mkv", 40000}}));

    // The next write leaves no trace of the damaged slots: the three points from slot 0 on.
    points.remember("/m/e.mkv", 11000);
    EXPECT_EQ(store.readString(ResumePoints::Key, "0"), "11000 /m/e.mkv");
    EXPECT_EQ(store.readString(ResumePoints::Key, "3"), "40000 /m/c.mkv");
    for (int slot : {4, 199}) {
        EXPECT_EQ(store.readString(ResumePoints::Key, QString::number(slot)), QString()) << slot;
    }
}

TEST(ResumePoints, TheNewestTwoHundredAreKeptInOneWriteEach)
{
    FakeUserStore store;
    ResumePoints points(store);
    points.load();
    for (int i = 0; i < 205; ++i) {
        ASSERT_TRUE(points.remember(QString("/m/%1.mkv").arg(i), 11000 + i));
    }
    EXPECT_EQ(store.batches, 205);
    EXPECT_EQ(points.points().size(), ResumePoints::Capacity);
    EXPECT_EQ(points.position("/m/204.mkv"), 11204);
    EXPECT_EQ(points.position("/m/5.mkv"), 11005);
    EXPECT_EQ(points.position("/m/4.mkv"), std::nullopt);

    // Remembered again, an old point becomes the newest instead of appearing twice.
    points.remember("/m/5.mkv", 12345);
    EXPECT_EQ(points.points().size(), ResumePoints::Capacity);
    EXPECT_EQ(points.points().front(), (ResumePoints::Point{"/m/5.mkv", 12345}));

    ResumePoints reread(store);
    reread.load();
    EXPECT_EQ(reread.points(), points.points());
}

TEST(ResumePoints, ForgettingEmptiesTheLastSlot)
{
    FakeUserStore store;
    ResumePoints points(store);
    points.load();
    points.remember("/m/a.mkv", 20000);
    points.remember("/m/b.mkv", 30000);
    const int batches = store.batches;
    EXPECT_FALSE(points.forget("/m/unknown.mkv"));
    EXPECT_EQ(store.batches, batches); // nothing to write
    EXPECT_TRUE(points.forget("/m/b.mkv"));
    EXPECT_EQ(store.readString(ResumePoints::Key, "0"), "20000 /m/a.mkv");
    EXPECT_EQ(store.readString(ResumePoints::Key, "1"), QString());
    ResumePoints reread(store);
    reread.load();
    EXPECT_EQ(reread.points(), (QList<ResumePoints::Point>{{"/m/a.mkv", 20000}}));
}

TEST(ResumePoints, AFailedWriteKeepsThePointForThisRunAndCleansUpLater)
{
    FakeUserStore store;
    ResumePoints points(store);
    points.load();
    points.remember("/m/a.mkv", 20000);
    points.remember("/m/b.mkv", 30000);
    store.failWrites = true;
    EXPECT_FALSE(points.forget("/m/a.mkv"));
    EXPECT_FALSE(points.remember("/m/c.mkv", 40000));
    EXPECT_EQ(points.position("/m/c.mkv"), 40000);
    store.failWrites = false;
    // The store still holds two slots: the next write rewrites both.
    EXPECT_TRUE(points.forget("/m/b.mkv"));
    ResumePoints reread(store);
    reread.load();
    EXPECT_EQ(reread.points(), (QList<ResumePoints::Point>{{"/m/c.mkv", 40000}}));
}

TEST(ResumePoints, EmptyPathsAndNegativeTimesAreNotPoints)
{
    FakeUserStore store;
    ResumePoints points(store);
    EXPECT_FALSE(points.remember(QString(), 20000));
    EXPECT_FALSE(points.remember("/m/a.mkv", -1));
    EXPECT_TRUE(points.points().isEmpty());
    EXPECT_EQ(store.batches, 0);
}

// Paths with the store file's own markers, and a store written by an older run beside them.
TEST(ResumePoints, SurviveTheStoreFileBesideTheHistory)
{
    QTemporaryDir folder;
    const QString file = folder.filePath("store.ini");
    {
        QFile older(file);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("[Software\\Taskel\\Korvane\\RecentFileNames]\n0=/m/a.mkv\n");
    }
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

struct KeepCase
{
    qint64 timeMs;
    qint64 lengthMs;
    bool kept;
};

class ResumePointWorth : public ::testing::TestWithParam<KeepCase>
{};

TEST_P(ResumePointWorth, KeepsOnlyPlacesWellInside)
{
    const KeepCase& c = GetParam();
    EXPECT_EQ(ResumePoints::worthKeeping(c.timeMs, c.lengthMs), c.kept)
        << c.timeMs << " of " << c.lengthMs;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResumePointWorth,
    ::testing::Values(KeepCase{15000, 60000, true}, KeepCase{10000, 60000, false},
                      KeepCase{10001, 60000, true}, KeepCase{49999, 60000, true},
                      KeepCase{50000, 60000, false}, KeepCase{15000, 0, false}, // length unknown
                      KeepCase{15000, -1, false}, KeepCase{70000, 60000, false}));

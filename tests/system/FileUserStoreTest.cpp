#include "system/FileUserStore.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

TEST(FileUserStore, MissingFileGivesDefaultsAndWritesCreateIt)
{
    QTemporaryDir dir;
    FileUserStore store(dir.filePath("sub/store.ini"));
    EXPECT_EQ(store.readString("Software\\A", "v", "-1"), "-1");
    EXPECT_FALSE(store.hasValue("Software\\A", "v"));
    ASSERT_TRUE(store.writeString("Software\\A", "v", "42"));
    EXPECT_EQ(FileUserStore(dir.filePath("sub/store.ini")).readString("Software\\A", "v"), "42");
    EXPECT_TRUE(store.deleteValue("Software\\A", "v"));
    EXPECT_FALSE(store.deleteValue("Software\\A", "v"));
    EXPECT_EQ(store.readString("Software\\A", "v", "gone"), "gone");
}

TEST(FileUserStore, UnwritableLocationFailsCleanly)
{
    FileUserStore store("/proc/korvane-cannot-exist/store.ini");
    EXPECT_FALSE(store.writeString("K", "v", "x"));
    EXPECT_EQ(store.readString("K", "v", "d"), "d");
}

TEST(FileUserStore, ConcurrentWritersLoseNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.ini");
    // Separate objects stand for separate processes: each has its own mutex, so only the
    // lock file keeps them apart.
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) {
        writers.emplace_back([w, path] {
            FileUserStore store(path);
            for (int i = 0; i < 25; ++i) {
                store.writeString("K", QString("w%1-%2").arg(w).arg(i), QString::number(i));
            }
        });
    }
    for (auto& t : writers) {
        t.join();
    }
    FileUserStore store(path);
    for (int w = 0; w < 4; ++w) {
        for (int i = 0; i < 25; ++i) {
            EXPECT_EQ(store.readString("K", QString("w%1-%2").arg(w).arg(i)), QString::number(i));
        }
    }
}

#include "util/BackupName.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

TEST(BackupName, TheFirstFreeOfTenAndTheNewestGivesWayWhenAllAreTaken)
{
    const QString all[] = {".bak",   ".bak.1", ".bak.2", ".bak.3", ".bak.4",
                           ".bak.5", ".bak.6", ".bak.7", ".bak.8", ".bak.9"};
    struct Case
    {
        std::vector<int> taken; // indices into all
        const char* next;
        bool danglingLinks = false;
    };
    const Case cases[] = {
        {{}, ".bak"},
        {{0}, ".bak.1"},
        {{0, 2}, ".bak.1"},
        {{0, 1, 2, 3, 4, 5, 6, 7}, ".bak.8"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8}, ".bak.9"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, ".bak.9"},
        {{0, 1}, ".bak.2", true},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("store.ini"));
        for (const int index : c.taken) {
            if (c.danglingLinks) {
                ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("gone")), path + all[index]));
            } else {
                QFile file(path + all[index]);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            }
        }
        EXPECT_EQ(korvane::backupName(path).toStdString(), (path + c.next).toStdString())
            << c.taken.size() << " taken";
    }
}

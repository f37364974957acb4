// The process ends one way; the save at a lost display runs only while it is armed.
#include "startup/ProcessEnd.h"

#include "startup/EmergencySave.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

TEST(ProcessEndDeathTest, AnExpiredDeadlineSaysWhyAndEnds)
{
    EXPECT_EXIT(
        {
            korvane::ExitDeadline deadline(10ms, ProcessEnd::afterDeadline("the engine stuck"));
            std::this_thread::sleep_for(1h);
        },
        testing::ExitedWithCode(0), "the engine stuck");
}

TEST(ProcessEndDeathTest, AnExitTheEventLoopNeverSeesSavesOnlyWhileArmed)
{
    QTemporaryDir folder;
    const QString saved = folder.filePath("saved");
    const auto touch = [saved] {
        QFile(saved).open(QIODevice::WriteOnly);
    };
    for (const bool armed : {true, false}) {
        QFile::remove(saved);
        EXPECT_EXIT(
            {
                EmergencySave::arm(touch);
                if (!armed) {
                    EmergencySave::disarm();
                }
                std::exit(0);
            },
            testing::ExitedWithCode(1), "")
            << armed;
        EXPECT_EQ(QFile::exists(saved), armed);
    }
}

#include "util/ScratchFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The id of a process that has ended.
qint64 deadPid()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForFinished();
    return process.processId() > 0 ? process.processId() : 999999;
}

} // namespace

TEST(ScratchFolders, OnlyFoldersOfEndedRunsGo)
{
    QTemporaryDir root;
    QTemporaryDir outside;
    QFile precious(outside.filePath("precious"));
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.write("keep");
    precious.close();
    const QString prefix = QStringLiteral("korvane-probe-");
    const QString dead = QString::number(deadPid());
    const QString own = QString::number(QCoreApplication::applicationPid());
    const struct
    {
        QString name;
        bool removed;
    } folders[] = {
        {prefix + dead + "-a1B2c3", true},    {prefix + own + "-a1B2c3", false}, // this run's own
        {prefix + "1-a1B2c3", false}, // a process that runs
        {prefix + "a1B2c3", false},   // no process named
        {prefix + dead + "-", false},         {prefix + dead + "-x-y", false},
        {"other-" + dead + "-a1B2c3", false},
    };
    for (const auto& f : folders) {
        ASSERT_TRUE(QDir(root.path()).mkdir(f.name));
    }
    // Inside a stale folder a link to the user's file: the link goes, the file stays.
    ASSERT_TRUE(QFile::link(precious.fileName(), root.filePath(folders[0].name + "/link.mkv")));
    // A link named like a stale folder is not a folder of ours.
    const QString linked = prefix + dead + "-linked";
    ASSERT_TRUE(QFile::link(outside.path(), root.filePath(linked)));
    // Another user's folder stays.
    const QString theirs = prefix + dead + "-theirs";
    ASSERT_TRUE(QDir(root.path()).mkdir(theirs));
    ASSERT_EQ(::chown(QFile::encodeName(root.filePath(theirs)).constData(), 4242, 4242), 0);

    EXPECT_EQ(korvane::removeStaleScratchFolders(root.path(), prefix), 1);
    for (const auto& f : folders) {
        EXPECT_EQ(QFileInfo::exists(root.filePath(f.name)), !f.removed) << f.name.toStdString();
    }
    EXPECT_TRUE(QFileInfo(root.filePath(linked)).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(root.filePath(theirs)));
    EXPECT_TRUE(QFileInfo::exists(precious.fileName()));
    EXPECT_TRUE(QFileInfo::exists(outside.path()));
}

TEST(ScratchFolders, APatternNamesThisRun)
{
    QTemporaryDir root;
    QTemporaryDir made(korvane::scratchPattern(root.path(), QStringLiteral("korvane-probe-")));
    ASSERT_TRUE(made.isValid());
    // Seen from this run it is in use.
    EXPECT_EQ(korvane::removeStaleScratchFolders(root.path(), QStringLiteral("korvane-probe-")), 0);
    EXPECT_TRUE(
        QFileInfo(made.path())
            .fileName()
            .startsWith(
                QStringLiteral("korvane-probe-%1-").arg(QCoreApplication::applicationPid())));
}

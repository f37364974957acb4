#include "util/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QString ownFallback(const QString& temp)
{
    return temp + "/korvane-" + QString::number(::geteuid());
}

} // namespace

TEST(RuntimeFolder, OnlyAFolderPrivateToThisUserIsUsed)
{
    struct Case
    {
        const char* name;
        // Prepares the runtime folder (its path given) and the temp folder; returns the runtime
        // folder's path to pass, or an empty one for "unset".
        std::function<QString(const QString& runtime, const QString& temp)> prepare;
        bool runtimeUsed;  // else the fallback in the temp folder
        bool fallbackUsed; // else nothing
    };
    const Case cases[] = {
        {"a private runtime folder",
         [](const QString& runtime, const QString&) {
             QDir().mkpath(runtime);
             QFile::setPermissions(runtime, kOwnerOnly);
             return runtime;
         },
         true, false},
        {"unset", [](const QString&, const QString&) { return QString(); }, false, true},
        {"open to everyone",
         [](const QString& runtime, const QString&) {
             QDir().mkpath(runtime);
             ::chmod(QFile::encodeName(runtime).constData(), 01777);
             return runtime;
         },
         false, true},
        {"a link to a private folder",
         [](const QString& runtime, const QString& temp) {
             QDir().mkpath(temp + "/real");
             QFile::setPermissions(temp + "/real", kOwnerOnly);
             QFile::link(temp + "/real", runtime);
             return runtime;
         },
         false, true},
        {"unset, and another user planted a link as the fallback",
         [](const QString&, const QString& temp) {
             QDir().mkpath(temp + "/theirs");
             QFile::link(temp + "/theirs", ownFallback(temp));
             return QString();
         },
         false, false},
        {"unset, and the fallback is open to the group",
         [](const QString&, const QString& temp) {
             QDir().mkpath(ownFallback(temp));
             ::chmod(QFile::encodeName(ownFallback(temp)).constData(), 0770);
             return QString();
         },
         false, false},
        {"unset, and the fallback belongs to someone else",
         [](const QString&, const QString& temp) {
             QDir().mkpath(ownFallback(temp));
             QFile::setPermissions(ownFallback(temp), kOwnerOnly);
             // Only root can give a folder away; others cannot plant one this way either.
             [[maybe_unused]] const int r =
                 ::chown(QFile::encodeName(ownFallback(temp)).constData(), ::geteuid() + 1, -1);
             return QString();
         },
         false, ::geteuid() != 0},
    };
    for (const Case& c : cases) {
        QTemporaryDir base;
        const QString temp = base.filePath("tmp");
        QDir().mkpath(temp);
        const QString runtime = c.prepare(base.filePath("runtime"), temp);
        const QString chosen = korvane::privateRuntimeFolder(runtime, temp);
        const QString expected =
            c.runtimeUsed ? runtime : (c.fallbackUsed ? ownFallback(temp) : QString());
        EXPECT_EQ(chosen.toStdString(), expected.toStdString()) << c.name;
        if (c.fallbackUsed) {
            EXPECT_TRUE(korvane::isPrivateFolder(chosen)) << c.name;
        }
    }
}

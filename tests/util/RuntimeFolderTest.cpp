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
        enum
        {
            Runtime,  // the runtime folder
            Fallback, // "korvane-<uid>" in the temp folder
            Own,      // a folder of its own beside it, with a random name
        } used;
    };
    const Case cases[] = {
        {"a private runtime folder",
         [](const QString& runtime, const QString&) {
             QDir().mkpath(runtime);
             QFile::setPermissions(runtime, kOwnerOnly);
             return runtime;
         },
         Case::Runtime},
        {"unset", [](const QString&, const QString&) { return QString(); }, Case::Fallback},
        {"open to everyone",
         [](const QString& runtime, const QString&) {
             QDir().mkpath(runtime);
             ::chmod(QFile::encodeName(runtime).constData(), 01777);
             return runtime;
         },
         Case::Fallback},
        {"a link to a private folder",
         [](const QString& runtime, const QString& temp) {
             QDir().mkpath(temp + "/real");
             QFile::setPermissions(temp + "/real", kOwnerOnly);
             QFile::link(temp + "/real", runtime);
             return runtime;
         },
         Case::Fallback},
        {"unset, and another user planted a link as the fallback",
         [](const QString&, const QString& temp) {
             QDir().mkpath(temp + "/theirs");
             QFile::link(temp + "/theirs", ownFallback(temp));
             return QString();
         },
         Case::Own},
        {"unset, and the fallback is open to the group",
         [](const QString&, const QString& temp) {
             QDir().mkpath(ownFallback(temp));
             ::chmod(QFile::encodeName(ownFallback(temp)).constData(), 0770);
             return QString();
         },
         Case::Own},
        {"unset, and the fallback belongs to someone else",
         [](const QString&, const QString& temp) {
             QDir().mkpath(ownFallback(temp));
             QFile::setPermissions(ownFallback(temp), kOwnerOnly);
             // Only root can give a folder away; others cannot plant one this way either.
             [[maybe_unused]] const int r =
                 ::chown(QFile::encodeName(ownFallback(temp)).constData(), ::geteuid() + 1, -1);
             return QString();
         },
         ::geteuid() == 0 ? Case::Own : Case::Fallback},
    };
    for (const Case& c : cases) {
        QTemporaryDir base;
        const QString temp = base.filePath("tmp");
        QDir().mkpath(temp);
        const QString runtime = c.prepare(base.filePath("runtime"), temp);
        const QString chosen = korvane::privateRuntimeFolder(runtime, temp);
        EXPECT_TRUE(korvane::isPrivateFolder(chosen)) << c.name;
        switch (c.used) {
        case Case::Runtime:
            EXPECT_EQ(chosen, runtime) << c.name;
            break;
        case Case::Fallback:
            EXPECT_EQ(chosen, ownFallback(temp)) << c.name;
            break;
        case Case::Own:
            EXPECT_TRUE(chosen.startsWith(ownFallback(temp) + "-")) << c.name;
            EXPECT_EQ(korvane::privateRuntimeFolder(runtime, temp), chosen)
                << c.name << ": the same folder for the whole run";
            break;
        }
    }
}

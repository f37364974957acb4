#include "system/FileUserStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
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

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Runs a store change under a file-size limit, which fails writes part way as a full disk does,
// even for root. The signal that would end the process is ignored, so the write sees EFBIG.
bool writeWithSizeLimit(FileUserStore& store, rlim_t limit, const QString& name,
                        const QString& value)
{
    struct rlimit saved
    {};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = saved;
    tight.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &tight);
    const bool ok = store.writeString("Software\\Taskel Media Player\\History", name, value);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return ok;
}

struct LogCapture
{
    LogCapture()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { s_lines << text; });
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    QString all() const { return s_lines.join(u'\n'); }

    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

} // namespace

TEST(FileUserStore, AWriteThatRunsOutOfSpaceKeepsTheWholeOldStoreAndFails)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.ini");
    FileUserStore store(path);
    for (int i = 1; i <= 11; ++i) {
        ASSERT_TRUE(store.writeString("Software\\Taskel Media Player\\History",
                                      QString("File%1").arg(i),
                                      QString("/home/ann/Videos/a long name %1.mkv").arg(i)));
    }
    const QByteArray before = fileBytes(path);
    const auto size = static_cast<rlim_t>(before.size());

    for (const rlim_t limit : {rlim_t(0), rlim_t(98), size / 2, size}) {
        LogCapture log;
        EXPECT_FALSE(writeWithSizeLimit(store, limit, "File12", "/home/ann/new.mkv")) << limit;
        EXPECT_EQ(fileBytes(path).toStdString(), before.toStdString()) << limit;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"store.ini"})
            << "no half-written file is left behind, limit " << limit;
        // The lock file may be what no longer fits; either way the failure is logged.
        EXPECT_TRUE(log.all().contains("store not saved") ||
                    log.all().contains("cannot lock the store"))
            << log.all().toStdString();
    }
    EXPECT_TRUE(writeWithSizeLimit(store, RLIM_INFINITY, "File12", "/home/ann/new.mkv"));
    EXPECT_EQ(store.readString("Software\\Taskel Media Player\\History", "File1"),
              "/home/ann/Videos/a long name 1.mkv");
    EXPECT_EQ(store.readString("Software\\Taskel Media Player\\History", "File12"),
              "/home/ann/new.mkv");
}

TEST(FileUserStore, AFailedWriteSaysWhatHappened)
{
    struct Case
    {
        const char* name;
        const char* storeFolder; // below the test's folder
        std::function<void(const QString& folder)> prepare;
        const char* logged;
    };
    const Case cases[] = {
        {"the folder cannot be made", "/sub",
         [](const QString& folder) {
             QFile file(folder + "/sub");
             if (file.open(QIODevice::WriteOnly)) {
                 file.write("a file, not a folder");
             }
         },
         "cannot create the store's folder"},
        {"the folder is read-only", "/ro",
         [](const QString& folder) {
             QDir().mkpath(folder + "/ro");
             QFile::setPermissions(folder + "/ro", QFile::ReadOwner | QFile::ExeOwner);
         },
         "no permission to write in the store's folder"},
    };
    for (const Case& c : cases) {
        if (QString(c.storeFolder) == "/ro" && ::geteuid() == 0) {
            continue; // root writes into read-only folders
        }
        QTemporaryDir dir;
        c.prepare(dir.path());
        FileUserStore store(dir.path() + c.storeFolder + "/store.ini");
        LogCapture log;
        EXPECT_FALSE(store.writeString("K", "v", "x")) << c.name;
        EXPECT_TRUE(log.all().contains(c.logged)) << c.name << ": " << log.all().toStdString();
        EXPECT_FALSE(log.all().contains("store is locked")) << c.name;
        QFile::setPermissions(dir.path() + "/ro",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

TEST(FileUserStore, ReadsParseTheFileOnceUntilAnotherWriterReplacesIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.ini");
    FileUserStore mine(path);
    FileUserStore theirs(path);
    ASSERT_TRUE(mine.writeStrings({{"K", "a", "1"}, {"K", "b", "2"}, {"L", "", "3"}}));
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(mine.readString("K", "a"), "1");
        EXPECT_EQ(mine.readString("l", ""), "3");
    }
    EXPECT_EQ(mine.parses(), 1);
    ASSERT_TRUE(theirs.writeString("K", "a", "changed"));
    EXPECT_EQ(mine.readString("K", "a"), "changed") << "a replacement by another writer shows";
    EXPECT_EQ(mine.readString("K", "b"), "2");
    EXPECT_EQ(mine.parses(), 2);
}

TEST(FileUserStore, SomethingOtherThanAFileInItsPlaceIsTakenAsEmptyWithoutWaiting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    FileUserStore store(path);
    EXPECT_EQ(store.readString("K", "a", "default"), "default");
    ASSERT_TRUE(store.writeString("K", "a", "1"));
    EXPECT_TRUE(QFileInfo(path).isFile());
    EXPECT_EQ(FileUserStore(path).readString("K", "a"), "1");

    FileUserStore device("/dev/zero");
    EXPECT_EQ(device.readString("K", "a", "default"), "default");
}

TEST(FileUserStore, LinesThatAreNotOursAreKeptInABackupBeforeAWriteDropsThem)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("store.ini");
    const struct
    {
        const char* name;
        QByteArray text;
        bool backedUp;
    } cases[] = {
        {"clean", "[K]\nv=1\n\n", false},
        {"a line before any key", "stray\n[K]\nv=1\n", true},
        {"a line without a name", "[K]\nv=1\nno equals sign\n", true},
        {"bytes that are no text", "[K]\nv=1\nw=caf\xe9\n", true},
    };
    for (const auto& c : cases) {
        for (const QString& old : QDir(dir.path()).entryList(QDir::Files)) {
            QFile::remove(dir.filePath(old));
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.text);
        file.close();
        FileUserStore store(path);
        // A change that changes nothing writes nothing, and keeps nothing either.
        EXPECT_FALSE(store.deleteValue("Absent", "x")) << c.name;
        EXPECT_FALSE(QFileInfo::exists(path + ".bak")) << c.name;
        ASSERT_TRUE(store.writeString("K", "added", "2")) << c.name;
        ASSERT_TRUE(store.writeString("K", "again", "3")) << c.name;
        EXPECT_EQ(store.readString("K", "v"), "1") << c.name;
        QFile backup(path + ".bak");
        EXPECT_EQ(backup.exists(), c.backedUp) << c.name;
        if (c.backedUp) {
            ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
            EXPECT_EQ(backup.readAll(), c.text) << c.name;
        }
        // One backup per damage, not one per write.
        EXPECT_FALSE(QFileInfo::exists(path + ".bak.1")) << c.name;
    }
}

#include "util/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(FileReplacement, ALinkToTheUsersOwnFileIsWrittenThrough)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("dotfiles"));
    writeBytes(dir.filePath("dotfiles/store.ini"), "old");
    ASSERT_TRUE(QFile::link(dir.filePath("dotfiles/store.ini"), dir.filePath("store.ini")));
    // A link to a link to the file.
    ASSERT_TRUE(QFile::link(dir.filePath("store.ini"), dir.filePath("again.ini")));

    QString error;
    ASSERT_TRUE(korvane::replaceFile(dir.filePath("again.ini"), "new", &error))
        << error.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath("again.ini")).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.filePath("store.ini")).isSymLink());
    EXPECT_EQ(readBytes(dir.filePath("dotfiles/store.ini")), "new");
    // Nothing is left beside the link or the file.
    EXPECT_EQ(QDir(dir.filePath("dotfiles")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(FileReplacement, ALinkThatMayNotBeWrittenThroughIsRefusedAndLeftAlone)
{
    QTemporaryDir dir;
    writeBytes(dir.filePath("others"), "theirs");
    // Someone else's file, as the owner of a file is what counts.
    ASSERT_EQ(::chown(QFile::encodeName(dir.filePath("others")).constData(), 4242, 4242), 0);
    ASSERT_TRUE(QDir().mkpath(dir.filePath("folder")));
    const struct
    {
        const char* name;
        QString target;
    } cases[] = {
        {"to another users file", dir.filePath("others")},
        {"to nothing", dir.filePath("missing")},
        {"to a folder", dir.filePath("folder")},
        {"to a device", QStringLiteral("/dev/null")},
    };
    for (const auto& c : cases) {
        const QString link = dir.filePath(QString::fromLatin1(c.name).replace(u' ', u'_'));
        ASSERT_TRUE(QFile::link(c.target, link));
        QString error;
        EXPECT_FALSE(korvane::replaceFile(link, "mine", &error)) << c.name;
        EXPECT_TRUE(error.contains(link)) << error.toStdString();
        EXPECT_TRUE(QFileInfo(link).isSymLink()) << c.name;
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), c.target) << c.name;
    }
    EXPECT_EQ(readBytes(dir.filePath("others")), "theirs");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("missing")));
}

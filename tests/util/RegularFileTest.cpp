#include "util/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using korvane::RegularFileRead;

TEST(RegularFile, OnlyARegularFileIsReadAndNothingElseBlocks)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100000, 'a') + "end");
    file.close();
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(QFile::link(dir.filePath("file"), dir.filePath("link")));
    const struct
    {
        QString path;
        RegularFileRead::Status status;
    } cases[] = {
        {dir.filePath("file"), RegularFileRead::Status::Read},
        {dir.filePath("link"), RegularFileRead::Status::Read},
        {dir.filePath("fifo"), RegularFileRead::Status::NotRegular},
        {dir.filePath("folder"), RegularFileRead::Status::NotRegular},
        {"/dev/zero", RegularFileRead::Status::NotRegular},
        {dir.filePath("missing"), RegularFileRead::Status::Missing},
    };
    for (const auto& c : cases) {
        const RegularFileRead read = korvane::readRegularFile(c.path);
        EXPECT_EQ(read.status, c.status) << c.path.toStdString();
        if (c.status == RegularFileRead::Status::Read) {
            EXPECT_EQ(read.bytes.size(), 100003);
            EXPECT_TRUE(read.bytes.endsWith("end"));
        } else {
            EXPECT_TRUE(read.bytes.isEmpty());
        }
    }
}

TEST(RegularFile, AReplacementChangesTheStamp)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    EXPECT_EQ(korvane::FileStamp::of(path), korvane::FileStamp{});
    QFile first(path);
    ASSERT_TRUE(first.open(QIODevice::WriteOnly));
    first.write("one");
    first.close();
    const korvane::FileStamp stamp = korvane::FileStamp::of(path);
    EXPECT_EQ(korvane::FileStamp::of(path), stamp);
    QFile second(dir.filePath("g"));
    ASSERT_TRUE(second.open(QIODevice::WriteOnly));
    second.write("two");
    second.close();
    ASSERT_EQ(::rename(QFile::encodeName(dir.filePath("g")).constData(),
                       QFile::encodeName(path).constData()),
              0);
    EXPECT_NE(korvane::FileStamp::of(path), stamp);
}

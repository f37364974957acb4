#include "playback/SnapshotTaker.h"

#include "playback/FakeEngine.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Outcome = SnapshotTaker::Result::Outcome;

class SnapshotTakerTest : public ::testing::Test
{
protected:
    SnapshotTakerTest()
    {
        engine.open("/m/film.mkv");
        engine.fakeHasVout = true;
        engine.snapshotSize = QSize(320, 180);
    }
    QString folder() const { return dir.filePath("Pictures/film.mkv Images"); }

    QTemporaryDir dir;
    FakeEngine engine;
};

TEST_F(SnapshotTakerTest, EachFormatIsWrittenAtTheVideosSizeUnderTheNextName)
{
    const struct
    {
        SnapshotFormat format;
        const char* first;
        const char* second;
        const char* readAs;
    } cases[] = {
        {SnapshotFormat::Png, "IMG_0001.png", "IMG_0002.png", "png"},
        {SnapshotFormat::Jpg, "IMG_0001.jpg", "IMG_0002.jpg", "jpeg"},
    };
    for (const auto& c : cases) {
        const SnapshotTaker::Result first =
            SnapshotTaker::take(&engine, folder(), "IMG_", c.format);
        const SnapshotTaker::Result second =
            SnapshotTaker::take(&engine, folder(), "IMG_", c.format);
        ASSERT_EQ(first.outcome, Outcome::Saved) << c.readAs;
        EXPECT_EQ(first.path, QDir(folder()).filePath(c.first));
        EXPECT_EQ(second.path, QDir(folder()).filePath(c.second)) << "the first one stays";
        QImageReader reader(second.path);
        EXPECT_EQ(reader.format(), QByteArray(c.readAs)) << "the content, not only the name";
        EXPECT_EQ(reader.size(), QSize(320, 180));
    }
    // The JPG's scratch PNGs are gone; what remains is the four pictures.
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

TEST_F(SnapshotTakerTest, NothingIsWrittenWithoutAPicture)
{
    engine.fakeHasVout = false;
    const SnapshotTaker::Result result =
        SnapshotTaker::take(&engine, folder(), "IMG_", SnapshotFormat::Jpg);
    EXPECT_EQ(result.outcome, Outcome::NoPicture);
    EXPECT_TRUE(result.path.isEmpty());
    EXPECT_EQ(engine.callCount("saveSnapshot"), 0);
    EXPECT_EQ(SnapshotTaker::take(nullptr, folder(), "IMG_", SnapshotFormat::Png).outcome,
              Outcome::NoPicture);
    EXPECT_EQ(SnapshotTaker::take(&engine, QString(), "IMG_", SnapshotFormat::Png).outcome,
              Outcome::NoPicture);
}

TEST_F(SnapshotTakerTest, AFolderThatCannotBeMadeIsReported)
{
    // A file stands where a folder on the way should be: no user, root included, can make it.
    QFile blocker(dir.filePath("Pictures"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SnapshotTaker::Result result =
        SnapshotTaker::take(&engine, folder(), "IMG_", SnapshotFormat::Png);
    EXPECT_EQ(result.outcome, Outcome::FolderNotWritable);
    EXPECT_EQ(result.folder, folder());
    EXPECT_EQ(engine.callCount("saveSnapshot"), 0);
}

} // namespace

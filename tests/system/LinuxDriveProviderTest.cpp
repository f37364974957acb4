// The Linux drive list over a folder standing in for /proc and disc images standing in for the
// drives' devices.
#include "system/LinuxDriveProvider.h"

#include "GeneratedMedia.h"
#include "system/DiscImage.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

class LinuxDriveProviderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(proc() + "/sys/dev/cdrom"));
        ASSERT_TRUE(QDir().mkpath(dev()));
        setMounts("");
    }
    QString proc() const { return dir.path() + "/proc"; }
    QString dev() const { return dir.path() + "/dev"; }
    void setInfo(const QString& drives)
    {
        ASSERT_TRUE(korvane::test::writeFile(proc() + "/sys/dev/cdrom/info",
                                             ("drive name:\t\t" + drives + "\n").toLatin1()));
    }
    void setMounts(const QString& text)
    {
        ASSERT_TRUE(korvane::test::writeFile(proc() + "/mounts", text.toLatin1()));
    }
    // Lists the drives until the background reads have answered.
    QVector<OpticalDrive> settled(int readable)
    {
        QElapsedTimer timer;
        timer.start();
        QVector<OpticalDrive> drives = provider.opticalDrives();
        while (timer.elapsed() < 5000 &&
               std::count_if(drives.begin(), drives.end(),
                             [](const OpticalDrive& d) { return d.readable; }) < readable) {
            QThread::msleep(10);
            drives = provider.opticalDrives();
        }
        return drives;
    }

    QTemporaryDir dir;
    LinuxDriveProvider provider{proc(), dev()};
};

} // namespace

TEST_F(LinuxDriveProviderTest, NoDriveInfoMeansNoDrives)
{
    QFile::remove(proc() + "/sys/dev/cdrom/info");
    EXPECT_TRUE(provider.opticalDrives().isEmpty());
    EXPECT_FALSE(provider.hasVideoTs(dev() + "/sr0"));
    EXPECT_EQ(provider.discReads(), 0);
}

TEST_F(LinuxDriveProviderTest, TwoDrivesDiscInTheSecondReadOnce)
{
    setInfo("sr1\tsr0");
    ASSERT_TRUE(
        korvane::test::writeFile(dev() + "/sr1", korvane::test::isoImage("MOVIE", {"VIDEO_TS"})));
    const QVector<OpticalDrive> drives = settled(1);
    ASSERT_EQ(drives.size(), 2);
    EXPECT_EQ(drives[0], (OpticalDrive{dev() + "/sr0", false, {}}));
    EXPECT_EQ(drives[1], (OpticalDrive{dev() + "/sr1", true, "MOVIE"}));
    EXPECT_TRUE(provider.hasVideoTs(dev() + "/sr1"));
    EXPECT_FALSE(provider.hasVideoTs(dev() + "/sr0"));
    EXPECT_FALSE(provider.hasVideoTs("MOVIE"));

    // The watch asks every second; the disc is not read again while it stays.
    for (int i = 0; i < 20; ++i) {
        provider.opticalDrives();
        provider.hasVideoTs(dev() + "/sr1");
    }
    EXPECT_EQ(provider.discReads(), 1);
}

TEST_F(LinuxDriveProviderTest, AnotherDiscIsReadAfresh)
{
    setInfo("sr0");
    ASSERT_TRUE(korvane::test::writeFile(dev() + "/sr0", korvane::test::isoImage("FIRST", {})));
    EXPECT_EQ(settled(1).value(0).label, "FIRST");
    EXPECT_FALSE(provider.hasVideoTs(dev() + "/sr0"));

    // Tray open, then a video disc.
    QFile::remove(dev() + "/sr0");
    EXPECT_FALSE(provider.opticalDrives().value(0).readable);
    QThread::msleep(20);
    ASSERT_TRUE(
        korvane::test::writeFile(dev() + "/sr0", korvane::test::isoImage("SECOND", {"video_ts"})));
    EXPECT_EQ(settled(1).value(0).label, "SECOND");
    EXPECT_TRUE(provider.hasVideoTs(dev() + "/sr0"));
    EXPECT_EQ(provider.discReads(), 2);
}

TEST_F(LinuxDriveProviderTest, VideoFolderFoundThroughTheMountInAnyCase)
{
    setInfo("sr0");
    ASSERT_TRUE(korvane::test::writeFile(dev() + "/sr0", korvane::test::udfImage("UDF ONLY", 8)));
    const QString mount = dir.path() + "/media/UDF ONLY";
    ASSERT_TRUE(QDir().mkpath(mount + "/Video_Ts"));
    EXPECT_EQ(settled(1).value(0).label, "UDF ONLY");
    EXPECT_FALSE(provider.hasVideoTs(dev() + "/sr0"));
    QString escaped = mount;
    escaped.replace(' ', "\\040");
    setMounts(dev() + "/sr0 " + escaped + " udf ro 0 0\n");
    EXPECT_TRUE(provider.hasVideoTs(dev() + "/sr0"));
}

TEST_F(LinuxDriveProviderTest, UnreadableDiscHasNoLabel)
{
    setInfo("sr0");
    ASSERT_TRUE(korvane::test::writeFile(dev() + "/sr0", QByteArray(4096, 'x')));
    provider.opticalDrives();
    QElapsedTimer timer;
    timer.start();
    while (provider.discReads() == 0 && timer.elapsed() < 2000) {
        QThread::msleep(10);
    }
    QThread::msleep(100);
    EXPECT_FALSE(provider.opticalDrives().value(0).readable);
    EXPECT_FALSE(provider.hasVideoTs(dev() + "/sr0"));
}

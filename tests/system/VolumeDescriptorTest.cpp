#include "system/VolumeDescriptor.h"

#include "system/DiscImage.h"

#include <gtest/gtest.h>

namespace {

VolumeDescriptor::SectorReader readerOf(const QByteArray& image)
{
    return [image](qint64 sector) {
        return image.mid(static_cast<qsizetype>(sector * VolumeDescriptor::kSectorSize),
                         VolumeDescriptor::kSectorSize);
    };
}

} // namespace

TEST(VolumeDescriptorTest, LabelsFromIsoThenUdf)
{
    struct Case
    {
        const char* context;
        QByteArray image;
        std::optional<QString> label;
    };
    const Case cases[] = {
        {"iso, blanks trimmed", korvane::test::isoImage("MOVIE", {}), QString("MOVIE")},
        {"iso, full 32 characters", korvane::test::isoImage(QString(32, 'A'), {}),
         QString(32, 'A')},
        {"iso, empty name", korvane::test::isoImage("", {}), QString()},
        {"udf only, 8-bit name", korvane::test::udfImage("Holiday 2009", 8),
         QString("Holiday 2009")},
        {"udf only, 16-bit name", korvane::test::udfImage(QString::fromUtf8("Fjörd Ω"), 16),
         QString::fromUtf8("Fjörd Ω")},
        {"blank disc", QByteArray(300 * 2048, '\0'), std::nullopt},
        {"shorter than a descriptor", QByteArray(100, '\1'), std::nullopt},
        {"nothing readable", QByteArray(), std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VolumeDescriptor::volumeLabel(readerOf(c.image)), c.label) << c.context;
    }
}

TEST(VolumeDescriptorTest, UdfNameWithALengthPastItsFieldIsNoName)
{
    QByteArray image = korvane::test::udfImage("X", 8);
    image[258 * 2048 + 84 + 127] = static_cast<char>(200);
    EXPECT_EQ(VolumeDescriptor::udfLabel(readerOf(image)), std::nullopt);
}

TEST(VolumeDescriptorTest, VideoFolderInTheIsoRoot)
{
    struct Case
    {
        QStringList folders;
        bool videoTs;
    };
    const Case cases[] = {
        {{"VIDEO_TS"}, true},
        {{"AUDIO_TS", "VIDEO_TS"}, true},
        {{"video_ts"}, true},
        {{"VIDEO_TS;1"}, true},
        {{"VIDEO_TSX"}, false},
        {{"DATA"}, false},
        {{}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(
            VolumeDescriptor::isoRootHasVideoTs(readerOf(korvane::test::isoImage("D", c.folders))),
            c.videoTs)
            << c.folders.join(',').toStdString();
    }
    EXPECT_FALSE(VolumeDescriptor::isoRootHasVideoTs(readerOf(korvane::test::udfImage("D", 8))));
}

TEST(VolumeDescriptorTest, DrivesOfTheCdromInfo)
{
    struct Case
    {
        const char* text;
        QStringList drives;
    };
    const Case cases[] = {
        {"CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\ndrive name:\t\tsr0\n"
         "drive speed:\t\t24\n",
         {"sr0"}},
        {"drive name:\t\tsr1\tsr0\ndrive speed:\t\t24\t24\n", {"sr0", "sr1"}},
        {"drive name:\t\tsr10\tsr2\tsr1\n", {"sr1", "sr2", "sr10"}},
        {"CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\ndrive name:\n", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VolumeDescriptor::cdromInfoDrives(QString::fromLatin1(c.text)), c.drives)
            << c.text;
    }
}

TEST(VolumeDescriptorTest, MountPointsWithEscapes)
{
    const QString mounts = "sysfs /sys sysfs rw 0 0\n"
                           "/dev/sr0 /media/me/MY\\040DISC iso9660 ro 0 0\n"
                           "/dev/sr0 /mnt/second iso9660 ro 0 0\n"
                           "/dev/sr1 /media/a\\134b udf ro 0 0\n"
                           "broken-line\n";
    const QHash<QString, QString> points = VolumeDescriptor::mountPoints(mounts);
    EXPECT_EQ(points.value("/dev/sr0"), "/media/me/MY DISC");
    EXPECT_EQ(points.value("/dev/sr1"), "/media/a\\b");
    EXPECT_EQ(points.value("sysfs"), "/sys");
    EXPECT_FALSE(points.contains("broken-line"));
}

// A disc's volume descriptors (ISO 9660, then UDF) and the kernel's drive and mount lists. The
// input is the disc: its 2048-byte blocks stand for every sector in turn, so sector numbers read
// from the descriptors always land on bytes the fuzzer chose.
#include "FuzzSupport.h"
#include "system/VolumeDescriptor.h"

using VolumeDescriptor::kSectorSize;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray disc = fuzz::bytes(data, size);
    if (disc.isEmpty()) {
        return 0;
    }
    const qint64 blocks = (disc.size() + kSectorSize - 1) / kSectorSize;
    // A disc whose size is not whole sectors reads short at its last one.
    int reads = 0;
    const VolumeDescriptor::SectorReader read = [&](qint64 sector) {
        fuzz::check(sector >= 0, "sector numbers are not negative");
        ++reads;
        return disc.mid((sector % blocks) * kSectorSize, kSectorSize);
    };

    if (const std::optional<QString> iso = VolumeDescriptor::isoLabel(read)) {
        fuzz::check(iso->size() <= 32, "an ISO label is at most 32 characters");
        fuzz::check(!iso->endsWith(u' ') && !iso->endsWith(QChar(0)),
                    "an ISO label has no trailing blanks");
    }
    if (const std::optional<QString> udf = VolumeDescriptor::udfLabel(read)) {
        fuzz::check(udf->size() <= 127, "a UDF label fits its field");
    }
    const std::optional<QString> label = VolumeDescriptor::volumeLabel(read);
    fuzz::check(
        label == VolumeDescriptor::isoLabel(read) ||
            (!VolumeDescriptor::isoLabel(read) && label == VolumeDescriptor::udfLabel(read)),
        "the label is the ISO one, else the UDF one");
    VolumeDescriptor::isoRootHasVideoTs(read);
    // Every walk is bounded, whatever the descriptors claim.
    fuzz::check(reads < 600, "reading a label takes a bounded number of sectors");

    const QString text = QString::fromLatin1(disc);
    for (const QString& drive : VolumeDescriptor::cdromInfoDrives(text)) {
        fuzz::check(!drive.isEmpty() && !drive.contains(u' ') && !drive.contains(u'\t'),
                    "a drive name is one word");
    }
    const QHash<QString, QString> mounts = VolumeDescriptor::mountPoints(text);
    for (auto it = mounts.cbegin(); it != mounts.cend(); ++it) {
        fuzz::check(!it.key().isEmpty() && !it.value().isEmpty(),
                    "a mount has a device and a folder");
    }
    return 0;
}

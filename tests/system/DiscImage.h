#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace korvane::test {

// Just enough of an ISO 9660 disc for the readers: the primary volume descriptor at sector 16,
// the set terminator at 17, and a root folder at sector 18 holding the given folders.
inline QByteArray isoImage(const QString& volumeName, const QStringList& rootFolders)
{
    constexpr int sector = 2048;
    QByteArray image(20 * sector, '\0');
    auto put32 = [&image](int at, quint32 value) {
        for (int i = 0; i < 4; ++i) {
            image[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
        }
    };
    char* pvd = image.data() + 16 * sector;
    pvd[0] = 1;
    memcpy(pvd + 1, "CD001", 5);
    pvd[6] = 1;
    QByteArray name = volumeName.toLatin1().leftJustified(32, ' ', true);
    memcpy(pvd + 40, name.constData(), 32);
    const int root = 16 * sector + 156;
    image[root] = 34;
    put32(root + 2, 18);
    put32(root + 10, sector);
    image[root + 25] = 2;
    image[root + 32] = 1;

    char* terminator = image.data() + 17 * sector;
    terminator[0] = static_cast<char>(255);
    memcpy(terminator + 1, "CD001", 5);

    int at = 18 * sector;
    for (const QString& folder : rootFolders) {
        const QByteArray id = folder.toLatin1();
        const int length = 33 + id.size() + (id.size() % 2 == 0 ? 1 : 0);
        image[at] = static_cast<char>(length);
        put32(at + 2, 19);
        image[at + 25] = 2;
        image[at + 32] = static_cast<char>(id.size());
        memcpy(image.data() + at + 33, id.constData(), static_cast<size_t>(id.size()));
        at += length;
    }
    return image;
}

// A UDF-only disc: anchor at 256 pointing at a descriptor sequence with a logical volume
// descriptor whose name uses the given compression (8 one byte a character, 16 two).
inline QByteArray udfImage(const QString& volumeName, int compression)
{
    constexpr int sector = 2048;
    QByteArray image(262 * sector, '\0');
    auto put16 = [&image](int at, quint16 value) {
        image[at] = static_cast<char>(value & 0xff);
        image[at + 1] = static_cast<char>(value >> 8);
    };
    auto put32 = [&image](int at, quint32 value) {
        for (int i = 0; i < 4; ++i) {
            image[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
        }
    };
    put16(256 * sector, 2);
    put32(256 * sector + 16, 3 * sector);
    put32(256 * sector + 20, 258);
    put16(258 * sector, 6);
    QByteArray chars;
    for (const QChar c : volumeName) {
        if (compression == 16) {
            chars.append(static_cast<char>(c.unicode() >> 8));
        }
        chars.append(static_cast<char>(c.unicode() & 0xff));
    }
    const int field = 258 * sector + 84;
    image[field] = static_cast<char>(compression);
    memcpy(image.data() + field + 1, chars.constData(), static_cast<size_t>(chars.size()));
    image[field + 127] = static_cast<char>(chars.size() + 1);
    put16(259 * sector, 8);
    return image;
}

} // namespace korvane::test

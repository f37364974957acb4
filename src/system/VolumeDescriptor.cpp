#include "system/VolumeDescriptor.h"

#include <QRegularExpression>
#include <algorithm>

namespace VolumeDescriptor {
namespace {

constexpr qint64 kIsoFirstDescriptor = 16;
constexpr qint64 kIsoLastDescriptor = 64; // a disc with more is not an ISO 9660 disc we can use
constexpr qint64 kUdfAnchor = 256;
constexpr int kUdfMaxDescriptors = 64;

quint32 le32(const QByteArray& b, int at)
{
    if (at + 4 > b.size()) {
        return 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 le16(const QByteArray& b, int at)
{
    if (at + 2 > b.size()) {
        return 0;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(b.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

// The primary volume descriptor, or nothing when the disc has no ISO 9660 descriptor set.
std::optional<QByteArray> isoPrimary(const SectorReader& read)
{
    for (qint64 sector = kIsoFirstDescriptor; sector < kIsoLastDescriptor; ++sector) {
        const QByteArray d = read(sector);
        if (d.size() < kSectorSize || d.mid(1, 5) != "CD001") {
            return std::nullopt;
        }
        const auto type = static_cast<unsigned char>(d[0]);
        if (type == 1) {
            return d;
        }
        if (type == 255) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// OSTA compressed Unicode with its used length in the last byte.
std::optional<QString> dstring(const QByteArray& field)
{
    if (field.isEmpty()) {
        return std::nullopt;
    }
    const int used = static_cast<unsigned char>(field.back());
    if (used == 0) {
        return QString();
    }
    if (used >= field.size()) {
        return std::nullopt;
    }
    const auto compression = static_cast<unsigned char>(field[0]);
    const QByteArray chars = field.mid(1, used - 1);
    if (compression == 8) {
        return QString::fromLatin1(chars);
    }
    if (compression == 16) {
        QString text;
        for (int i = 0; i + 1 < chars.size(); i += 2) {
            text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(chars[i]) << 8 |
                                                    static_cast<unsigned char>(chars[i + 1]))));
        }
        return text;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> isoLabel(const SectorReader& read)
{
    const std::optional<QByteArray> primary = isoPrimary(read);
    if (!primary) {
        return std::nullopt;
    }
    QString label = QString::fromLatin1(primary->mid(40, 32));
    while (label.endsWith(QLatin1Char(' ')) || label.endsWith(QChar(0))) {
        label.chop(1);
    }
    return label;
}

std::optional<QString> udfLabel(const SectorReader& read)
{
    const QByteArray anchor = read(kUdfAnchor);
    if (anchor.size() < kSectorSize || le16(anchor, 0) != 2) {
        return std::nullopt;
    }
    const quint32 length = le32(anchor, 16);
    const quint32 location = le32(anchor, 20);
    const int count = std::min<int>(static_cast<int>(length / kSectorSize), kUdfMaxDescriptors);
    std::optional<QString> volume;
    for (int i = 0; i < count; ++i) {
        const QByteArray d = read(qint64(location) + i);
        if (d.size() < kSectorSize) {
            break;
        }
        const quint16 tag = le16(d, 0);
        if (tag == 6) { // logical volume descriptor: the name users see
            return dstring(d.mid(84, 128));
        }
        if (tag == 1 && !volume) {
            volume = dstring(d.mid(24, 32));
        }
        if (tag == 8) {
            break;
        }
    }
    return volume;
}

std::optional<QString> volumeLabel(const SectorReader& read)
{
    if (std::optional<QString> label = isoLabel(read)) {
        return label;
    }
    return udfLabel(read);
}

bool isoRootHasVideoTs(const SectorReader& read)
{
    const std::optional<QByteArray> primary = isoPrimary(read);
    if (!primary) {
        return false;
    }
    const QByteArray root = primary->mid(156, 34);
    const quint32 extent = le32(root, 2);
    const quint32 size = std::min<quint32>(le32(root, 10), 16 * kSectorSize);
    for (quint32 offset = 0; offset < size; offset += kSectorSize) {
        const QByteArray dir = read(qint64(extent) + offset / kSectorSize);
        int at = 0;
        while (at < dir.size()) {
            const int length = static_cast<unsigned char>(dir[at]);
            if (length == 0) {
                break; // records never cross a sector; the rest is padding
            }
            if (at + 33 <= dir.size() && (static_cast<unsigned char>(dir[at + 25]) & 2) != 0) {
                const int nameLength = static_cast<unsigned char>(dir[at + 32]);
                QString name = QString::fromLatin1(dir.mid(at + 33, nameLength));
                name = name.section(QLatin1Char(';'), 0, 0);
                if (name.compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0) {
                    return true;
                }
            }
            at += length;
        }
    }
    return false;
}

QStringList cdromInfoDrives(const QString& infoText)
{
    QStringList drives;
    for (const QString& line : infoText.split(QLatin1Char('\n'))) {
        if (!line.startsWith(QLatin1String("drive name:"))) {
            continue;
        }
        drives = line.mid(11).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        break;
    }
    // The kernel lists the newest drive first; people count drives from the first.
    std::stable_sort(drives.begin(), drives.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return drives;
}

QHash<QString, QString> mountPoints(const QString& mountsText)
{
    static const QRegularExpression octal(QStringLiteral("\\\\([0-7]{3})"));
    const auto unescape = [](const QString& field) {
        QString out;
        qsizetype last = 0;
        QRegularExpressionMatchIterator it = octal.globalMatch(field);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            out += field.mid(last, m.capturedStart() - last);
            out += QChar(m.captured(1).toInt(nullptr, 8));
            last = m.capturedEnd();
        }
        out += field.mid(last);
        return out;
    };
    QHash<QString, QString> points;
    for (const QString& line : mountsText.split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 2) {
            continue;
        }
        const QString device = unescape(fields[0]);
        if (!points.contains(device)) {
            points.insert(device, unescape(fields[1]));
        }
    }
    return points;
}

} // namespace VolumeDescriptor

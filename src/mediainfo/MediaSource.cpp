#include "mediainfo/MediaSource.h"

#include "util/NumberText.h"
#include "util/Rounding.h"

#include <cmath>
#include <limits>

namespace {

// Dictionary values may come from anywhere; each conversion gives 0, 0.0 or false for what it
// cannot read instead of failing, and keeps integers within 32 bits.
int toInt32(const QVariant& v)
{
    double number = 0.0;
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? -1 : 0;
    case QMetaType::Int:
        return v.toInt();
    case QMetaType::QString: {
        bool ok = false;
        number = QLocale::c().toDouble(v.toString().trimmed(), &ok);
        if (!ok) {
            return 0;
        }
        break;
    }
    default: {
        bool ok = false;
        number = v.toDouble(&ok);
        if (!ok) {
            return 0;
        }
    }
    }
    if (std::isnan(number)) {
        return 0;
    }
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    if (number <= low) {
        return std::numeric_limits<int>::min();
    }
    if (number >= high) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(korvane::roundHalfEven(number));
}

float toSingle(const QVariant& v)
{
    bool ok = false;
    double number = 0.0;
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? -1.0f : 0.0f;
    case QMetaType::QString:
        number = QLocale::c().toDouble(v.toString().trimmed(), &ok);
        break;
    default:
        number = v.toDouble(&ok);
    }
    return ok ? static_cast<float>(number) : 0.0f;
}

bool toBoolean(const QVariant& v)
{
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
            return true;
        }
        bool ok = false;
        const double number = QLocale::c().toDouble(text, &ok);
        return ok && number != 0.0;
    }
    bool ok = false;
    const double number = v.toDouble(&ok);
    return ok && number != 0.0;
}

OrderedMap toMap(const QVariant& v)
{
    return v.metaType() == QMetaType::fromType<OrderedMap>() ? v.value<OrderedMap>() : OrderedMap();
}

} // namespace

void MediaSource::reset()
{
    m_streams.clear();
    m_duration = 0.0f;
    m_fileName.clear();
    m_timeStamp.clear();
    m_isAVI = false;
}

QImage MediaSource::streamImage(int index) const
{
    return validIndex(index) ? m_streams[index].image : QImage();
}

void MediaSource::streamImage(int index, const QImage& picture)
{
    if (validIndex(index)) {
        m_streams[index].image = picture;
    }
}

int MediaSource::firstVideoStream() const
{
    for (int i = 0; i < m_streams.size(); ++i) {
        if (m_streams[i].isVideo()) {
            return i;
        }
    }
    return -1;
}

StreamRecord& MediaSource::addStream(const StreamRecord& record)
{
    m_streams.append(record);
    return m_streams.last();
}

void MediaSource::removeStream(int index)
{
    if (validIndex(index)) {
        m_streams.removeAt(index);
    }
}

OrderedMap MediaSource::streamInfo(int index) const
{
    OrderedMap map;
    if (!validIndex(index)) {
        return map;
    }
    const StreamRecord& s = m_streams[index];
    if (s.isAudio()) {
        map.insert(QStringLiteral("Channels"), s.channels);
        map.insert(QStringLiteral("SampleRate"), s.sampleRate);
        map.insert(QStringLiteral("Delay"), s.delay);
    } else if (s.isVideo()) {
        map.insert(QStringLiteral("FPS"), s.fps);
        map.insert(QStringLiteral("Width"), s.width);
        map.insert(QStringLiteral("Height"), s.height);
        map.insert(QStringLiteral("SourceAR"), s.sourceAR);
        map.insert(QStringLiteral("DisplayAR"), s.displayAR);
        map.insert(QStringLiteral("Interlaced"), s.interlaced);
    }
    map.insert(QStringLiteral("Type"), s.type);
    map.insert(QStringLiteral("Index"), s.index);
    map.insert(QStringLiteral("Duration"), m_duration);
    map.insert(QStringLiteral("StartTime"), m_startTime);
    map.insert(QStringLiteral("Compression"), s.compression);
    map.insert(QStringLiteral("BitRate"), s.bitRate);
    return map;
}

OrderedMap MediaSource::serialize() const
{
    OrderedMap map;
    map.insert(QStringLiteral("FileName"), m_fileName);
    map.insert(QStringLiteral("Duration"), m_duration);
    map.insert(QStringLiteral("StartTime"), m_startTime);
    map.insert(QStringLiteral("TimeStamp"), m_timeStamp);
    map.insert(QStringLiteral("IsAVI"), m_isAVI);
    for (int i = 0; i < m_streams.size(); ++i) {
        const StreamRecord& s = m_streams[i];
        OrderedMap stream;
        stream.insert(QStringLiteral("Type"), s.type);
        stream.insert(QStringLiteral("Index"), s.index);
        stream.insert(QStringLiteral("Compression"), s.compression);
        stream.insert(QStringLiteral("BitRate"), s.bitRate);
        stream.insert(QStringLiteral("FPS"), s.fps);
        stream.insert(QStringLiteral("Width"), s.width);
        stream.insert(QStringLiteral("Height"), s.height);
        stream.insert(QStringLiteral("Channels"), s.channels);
        stream.insert(QStringLiteral("SampleRate"), s.sampleRate);
        stream.insert(QStringLiteral("Delay"), s.delay);
        stream.insert(QStringLiteral("SourceAR"), s.sourceAR);
        stream.insert(QStringLiteral("DisplayAR"), s.displayAR);
        stream.insert(QStringLiteral("Interlaced"), s.interlaced);
        map.insert(QStringLiteral("Stream") + QString::number(i), QVariant::fromValue(stream));
    }
    return map;
}

void MediaSource::deserialize(const OrderedMap& map)
{
    reset();
    m_fileName = map.value(QStringLiteral("FileName")).toString();
    m_duration = toSingle(map.value(QStringLiteral("Duration")));
    m_timeStamp = map.value(QStringLiteral("TimeStamp")).toString();
    m_isAVI = toBoolean(map.value(QStringLiteral("IsAVI")));

    for (const OrderedMap::Entry& entry : map) {
        if (!entry.key.startsWith(QLatin1String("Stream"))) {
            continue;
        }
        const OrderedMap m = toMap(entry.value);
        StreamRecord s;
        s.type = toInt32(m.value(QStringLiteral("Type")));
        s.index = toInt32(m.value(QStringLiteral("Index")));
        s.compression = m.value(QStringLiteral("Compression")).toString();
        s.bitRate = toInt32(m.value(QStringLiteral("BitRate")));
        s.fps = toSingle(m.value(QStringLiteral("FPS")));
        s.width = toInt32(m.value(QStringLiteral("Width")));
        s.height = toInt32(m.value(QStringLiteral("Height")));
        s.channels = toInt32(m.value(QStringLiteral("Channels")));
        s.sampleRate = toInt32(m.value(QStringLiteral("SampleRate")));
        s.delay = toInt32(m.value(QStringLiteral("Delay")));
        s.sourceAR = toSingle(m.value(QStringLiteral("SourceAR")));
        s.displayAR = toSingle(m.value(QStringLiteral("DisplayAR")));
        s.interlaced = toBoolean(m.value(QStringLiteral("Interlaced")));
        m_streams.append(s);
    }
}

QString MediaSource::aspectName(float ratio, const QLocale& locale)
{
    if (ratio == 16.0f / 9.0f) {
        return QStringLiteral("Widescreen (16:9)");
    }
    if (ratio == 4.0f / 3.0f) {
        return QStringLiteral("Normal (4:3)");
    }
    if (ratio == 2.21f) {
        return QStringLiteral("Panavision (2.21:1)");
    }
    double rounded = static_cast<double>(ratio);
    if (std::isfinite(rounded)) {
        rounded = std::nearbyint(rounded * 100.0) / 100.0;
    }
    return korvane::singleText(static_cast<float>(rounded), locale) + QStringLiteral(":1");
}

QString MediaSource::streamInfoText(const QLocale& locale) const
{
    QStringList lines;
    lines << QStringLiteral("Stream information of ") + m_fileName;
    lines << QStringLiteral("Duration  : ") + korvane::singleText(m_duration, locale);
    lines << QStringLiteral("Starttime : ") + korvane::singleText(m_startTime, locale);
    for (int i = 0; i < m_streams.size(); ++i) {
        const StreamRecord& s = m_streams[i];
        if (s.isAudio()) {
            lines << QStringLiteral("Stream %1 (Audio)").arg(i);
            lines << QStringLiteral("Channels    : ") + QString::number(s.channels);
            lines << QStringLiteral("Samplerate  : ") + QString::number(s.sampleRate) +
                         QStringLiteral(" Hz");
            lines << QStringLiteral("Compression : ") + s.compression;
        } else if (s.isVideo()) {
            lines << QStringLiteral("Stream %1 (Video)").arg(i);
            lines << QStringLiteral("Width       : ") + QString::number(s.width) +
                         QStringLiteral(" pixels");
            lines << QStringLiteral("Height      : ") + QString::number(s.height) +
                         QStringLiteral(" pixels");
            lines << QStringLiteral("Framerate   : ") + korvane::singleText(s.fps, locale);
            lines << QStringLiteral("Compression : ") + s.compression;
            lines << QStringLiteral("Source AR   : ") + aspectName(s.sourceAR, locale);
            lines << QStringLiteral("DIsplay AR  : ") + aspectName(s.displayAR, locale);
        }
        lines << QStringLiteral("BitRate     : ") + QString::number(s.bitRate) +
                     QStringLiteral(" Kbit\\s");
    }
    return lines.join(QStringLiteral("\r\n"));
}

#include "mediainfo/OrderedMap.h"

#include "util/NumberText.h"

#include <cmath>

namespace {

void appendJsonString(QByteArray& out, const QString& text)
{
    out += '"';
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'"':
            out += "\\\"";
            break;
        case u'\\':
            out += "\\\\";
            break;
        case u'\n':
            out += "\\n";
            break;
        case u'\r':
            out += "\\r";
            break;
        case u'\t':
            out += "\\t";
            break;
        default:
            if (u < 0x20) {
                out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
            } else {
                out += QString(c).toUtf8();
            }
        }
    }
    out += '"';
}

void appendJsonValue(QByteArray& out, const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<OrderedMap>()) {
        out += value.value<OrderedMap>().toJson();
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        out += value.toBool() ? "true" : "false";
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        out += value.toString().toUtf8();
        break;
    case QMetaType::Float:
    case QMetaType::Double: {
        const double number = value.toDouble();
        if (std::isfinite(number)) {
            out += korvane::singleText(static_cast<float>(number), QLocale::c()).toUtf8();
        } else {
            out += "null";
        }
        break;
    }
    case QMetaType::UnknownType:
        out += "null";
        break;
    default:
        appendJsonString(out, value.toString());
    }
}

} // namespace

qsizetype OrderedMap::indexOf(const QString& key) const
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == key) {
            return i;
        }
    }
    return -1;
}

void OrderedMap::insert(const QString& key, const QVariant& value)
{
    const qsizetype at = indexOf(key);
    if (at >= 0) {
        m_entries[at].value = value;
    } else {
        m_entries.append({key, value});
    }
}

QVariant OrderedMap::value(const QString& key, const QVariant& defaultValue) const
{
    const qsizetype at = indexOf(key);
    return at >= 0 ? m_entries[at].value : defaultValue;
}

bool OrderedMap::contains(const QString& key) const
{
    return indexOf(key) >= 0;
}

bool OrderedMap::remove(const QString& key)
{
    const qsizetype at = indexOf(key);
    if (at < 0) {
        return false;
    }
    m_entries.removeAt(at);
    return true;
}

QStringList OrderedMap::keys() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry& e : m_entries) {
        out.append(e.key);
    }
    return out;
}

QByteArray OrderedMap::toJson() const
{
    QByteArray out = "{";
    bool first = true;
    for (const Entry& e : m_entries) {
        if (!first) {
            out += ',';
        }
        first = false;
        appendJsonString(out, e.key);
        out += ':';
        appendJsonValue(out, e.value);
    }
    out += '}';
    return out;
}

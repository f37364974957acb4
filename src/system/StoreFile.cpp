#include "system/StoreFile.h"

#include <QStringDecoder>

namespace {

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

QString encode(const QString& text, bool isName)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool special =
            c == u'%' || c == u'\r' || c == u'\n' ||
            (isName && (c == u'=' || c == u'[' || c == u']' || (i == 0 && c == u'@')));
        if (special) {
            out += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QChar(u'0')).toUpper();
        } else {
            out += c;
        }
    }
    return out;
}

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    if (c >= u'A' && c <= u'F') {
        return c.unicode() - u'A' + 10;
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    return -1;
}

QString decode(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'%' && i + 2 < text.size()) {
            const int high = hexDigit(text.at(i + 1));
            const int low = hexDigit(text.at(i + 2));
            if (high >= 0 && low >= 0) {
                out += QChar(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}

} // namespace

StoreFile StoreFile::parse(const QByteArray& text)
{
    StoreFile file;
    Key* current = nullptr;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString all = decoder(text);
    // Bytes that are no text come back changed, so they count as lost with the next write.
    file.m_damaged = decoder.hasError();
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (line.isEmpty()) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = &file.keyFor(decode(line.mid(1, line.size() - 2)));
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq < 0) {
            // Not ours: skipped rather than failing the whole store, and noted.
            file.m_damaged = true;
            continue;
        }
        const QStringView rawName = line.left(eq);
        const QString name = rawName == u"@" ? QString() : decode(rawName);
        setIn(*current, name, decode(line.mid(eq + 1)));
    }
    return file;
}

QByteArray StoreFile::serialize() const
{
    QString out;
    for (const Key& key : m_keys) {
        if (key.values.isEmpty()) {
            continue;
        }
        out += QLatin1Char('[') + encode(key.path, true) + QStringLiteral("]\n");
        for (const Value& v : key.values) {
            out += (v.name.isEmpty() ? QStringLiteral("@") : encode(v.name, true)) + u'=' +
                   encode(v.data, false) + u'\n';
        }
        out += u'\n';
    }
    return out.toUtf8();
}

StoreFile::Key* StoreFile::findKey(const QString& keyPath)
{
    const auto at = m_index.constFind(folded(keyPath));
    return at == m_index.constEnd() ? nullptr : &m_keys[*at];
}

StoreFile::Key& StoreFile::keyFor(const QString& keyPath)
{
    if (Key* key = findKey(keyPath)) {
        return *key;
    }
    m_index.insert(folded(keyPath), m_keys.size());
    m_keys.append(Key{keyPath, {}, {}});
    return m_keys.last();
}

void StoreFile::setIn(Key& key, const QString& valueName, const QString& data)
{
    const QString name = folded(valueName);
    const auto at = key.index.constFind(name);
    if (at != key.index.constEnd()) {
        key.values[*at].data = data;
        return;
    }
    key.index.insert(name, key.values.size());
    key.values.append(Value{valueName, data});
}

const StoreFile::Key* StoreFile::findKey(const QString& keyPath) const
{
    return const_cast<StoreFile*>(this)->findKey(keyPath);
}

std::optional<QString> StoreFile::value(const QString& keyPath, const QString& valueName) const
{
    if (const Key* key = findKey(keyPath)) {
        const auto at = key->index.constFind(folded(valueName));
        if (at != key->index.constEnd()) {
            return key->values.at(*at).data;
        }
    }
    return std::nullopt;
}

void StoreFile::setValue(const QString& keyPath, const QString& valueName, const QString& data)
{
    setIn(keyFor(keyPath), valueName, data);
}

bool StoreFile::removeValue(const QString& keyPath, const QString& valueName)
{
    Key* key = findKey(keyPath);
    if (!key) {
        return false;
    }
    const auto at = key->index.constFind(folded(valueName));
    if (at == key->index.constEnd()) {
        return false;
    }
    key->values.removeAt(*at);
    key->index.clear();
    for (qsizetype i = 0; i < key->values.size(); ++i) {
        key->index.insert(folded(key->values.at(i).name), i);
    }
    return true;
}

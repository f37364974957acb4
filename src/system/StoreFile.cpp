#include "system/StoreFile.h"

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
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
    const QString all = QString::fromUtf8(text);
    for (QStringView line : QStringView(all).split(u'\n')) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (line.isEmpty()) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString path = decode(line.mid(1, line.size() - 2));
            current = file.findKey(path);
            if (!current) {
                file.m_keys.append(Key{path, {}});
                current = &file.m_keys.last();
            }
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq < 0) {
            continue; // not ours: skip rather than fail the whole store
        }
        const QStringView rawName = line.left(eq);
        const QString name = rawName == u"@" ? QString() : decode(rawName);
        const QString data = decode(line.mid(eq + 1));
        bool replaced = false;
        for (Value& v : current->values) {
            if (sameName(v.name, name)) {
                v.data = data;
                replaced = true;
            }
        }
        if (!replaced) {
            current->values.append(Value{name, data});
        }
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
    for (Key& key : m_keys) {
        if (sameName(key.path, keyPath)) {
            return &key;
        }
    }
    return nullptr;
}

const StoreFile::Key* StoreFile::findKey(const QString& keyPath) const
{
    return const_cast<StoreFile*>(this)->findKey(keyPath);
}

std::optional<QString> StoreFile::value(const QString& keyPath, const QString& valueName) const
{
    if (const Key* key = findKey(keyPath)) {
        for (const Value& v : key->values) {
            if (sameName(v.name, valueName)) {
                return v.data;
            }
        }
    }
    return std::nullopt;
}

void StoreFile::setValue(const QString& keyPath, const QString& valueName, const QString& data)
{
    Key* key = findKey(keyPath);
    if (!key) {
        m_keys.append(Key{keyPath, {}});
        key = &m_keys.last();
    }
    for (Value& v : key->values) {
        if (sameName(v.name, valueName)) {
            v.data = data;
            return;
        }
    }
    key->values.append(Value{valueName, data});
}

bool StoreFile::removeValue(const QString& keyPath, const QString& valueName)
{
    Key* key = findKey(keyPath);
    if (!key) {
        return false;
    }
    return key->values.removeIf([&](const Value& v) { return sameName(v.name, valueName); }) > 0;
}

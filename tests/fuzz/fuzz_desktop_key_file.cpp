// Desktop entries and mimeapps.list: the key file keeps what it read through a write, and a key
// set on it reads back as set without disturbing the others.
#include "FuzzSupport.h"
#include "system/DesktopKeyFile.h"

namespace {

// What a caller may use as a group, key or value: one line; keys also trimmed, without '=' and
// not looking like a comment or a header.
QString oneLine(QString text)
{
    text.remove(u'\n');
    text.remove(u'\r');
    return text;
}

bool usableKey(const QString& key)
{
    return !key.isEmpty() && key == key.trimmed() && !key.contains(u'=') && !key.startsWith(u'#') &&
           !key.startsWith(u'[');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const DesktopKeyFile file = DesktopKeyFile::parse(input);
    const QByteArray written = file.serialize();
    // Line ends, lone CRs and bytes that are not text all survive: writing what was read
    // changes nothing.
    const QByteArray again = DesktopKeyFile::parse(written).serialize();
    fuzz::check(again == written, "writing the key file is stable");

    // The last three lines of the input name a group, a key and a value to set.
    QList<QByteArray> lines = input.split('\n');
    if (lines.size() < 4) {
        return 0;
    }
    const QString value = oneLine(QString::fromUtf8(lines.takeLast()));
    const QString key = oneLine(QString::fromUtf8(lines.takeLast()));
    const QString group = oneLine(QString::fromUtf8(lines.takeLast()));
    if (!usableKey(key)) {
        return 0;
    }
    for (const QString& item : DesktopKeyFile::listItems(value)) {
        fuzz::check(!item.isEmpty() && !item.contains(u';') && item == item.trimmed(),
                    "list items are trimmed, non-empty and hold no separator");
    }

    DesktopKeyFile edited = DesktopKeyFile::parse(lines.join('\n'));
    const QByteArray before = edited.serialize();
    const std::optional<QString> old = edited.value(group, key);
    edited.setValue(group, key, value);
    const DesktopKeyFile reread = DesktopKeyFile::parse(edited.serialize());
    fuzz::check(reread.value(group, key) == value.trimmed(), "a set key reads back as set");
    if (old) {
        fuzz::check(edited.serialize().count('\n') == before.count('\n'),
                    "replacing a key changes no other line");
    }
    DesktopKeyFile removed = reread;
    fuzz::check(removed.removeKey(group, key), "a set key can be removed");
    fuzz::check(!removed.value(group, key).has_value(), "a removed key is gone");
    return 0;
}

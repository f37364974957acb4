// The per-user store: parse, write and parse again keeps every key and value, and writing is
// stable after the first round.
#include "FuzzSupport.h"
#include "system/StoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const StoreFile first = StoreFile::parse(fuzz::bytes(data, size));
    const QByteArray written = first.serialize();
    const StoreFile second = StoreFile::parse(written);
    fuzz::check(second.serialize() == written, "writing the store is stable");

    for (const StoreFile::Key& key : first.keys()) {
        for (const StoreFile::Value& value : key.values) {
            fuzz::check(first.value(key.path, value.name) == value.data,
                        "a parsed value is found by its own name");
            fuzz::check(second.value(key.path, value.name) == value.data,
                        "a value survives being written and read");
        }
    }
    qsizetype valuesFirst = 0;
    for (const StoreFile::Key& key : first.keys()) {
        valuesFirst += key.values.size();
    }
    qsizetype valuesSecond = 0;
    for (const StoreFile::Key& key : second.keys()) {
        valuesSecond += key.values.size();
    }
    fuzz::check(valuesFirst == valuesSecond, "writing adds and loses no value");

    // A value set through the interface reads back as given, and is gone once removed.
    StoreFile edited = second;
    const QString path = QStringLiteral("Software\\Korvane\\Fuzz");
    const QString name = QString::fromUtf8(fuzz::bytes(data, size / 2));
    const QString text = QString::fromUtf8(fuzz::bytes(data + size / 2, size - size / 2));
    edited.setValue(path, name, text);
    const StoreFile reread = StoreFile::parse(edited.serialize());
    fuzz::check(reread.value(path, name) == text, "a set value survives being written and read");
    fuzz::check(edited.removeValue(path, name), "a set value can be removed");
    fuzz::check(!edited.value(path, name).has_value(), "a removed value is gone");
    return 0;
}

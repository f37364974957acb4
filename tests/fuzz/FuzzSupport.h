#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

// A broken invariant is a finding like a crash: libFuzzer keeps the input that led here.
inline void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Arguments as a command line gives them: the input split at NUL bytes.
inline QStringList arguments(const QByteArray& input)
{
    QStringList out;
    for (const QByteArray& part : input.split('\0')) {
        out.append(QString::fromUtf8(part));
    }
    return out;
}

// For parsers that only read files: the input goes to one file in a folder made once per process.
inline QString inputFile(const QByteArray& input, const char* name)
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/korvane-fuzz-XXXXXX"));
    const QString path = folder.filePath(QString::fromLatin1(name));
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be written");
    check(file.write(input) == input.size(), "the whole input is written");
    file.close();
    return path;
}

} // namespace fuzz

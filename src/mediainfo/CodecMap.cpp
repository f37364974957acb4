#include "mediainfo/CodecMap.h"

#include "util/Logging.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>

void CodecMap::insert(const QString& key, const QString& value)
{
    if (!m_names.contains(key)) {
        m_names.insert(key, value);
    }
}

CodecMap parseCodecMap(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    CodecMap map;
    for (const QString& line : text.split(lineBreak)) {
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        if (comma < 0) {
            continue;
        }
        const QString key = line.left(comma).trimmed();
        bool numeric = false;
        QLocale::c().toDouble(key, &numeric);
        if (numeric) {
            continue;
        }
        if (map.contains(key)) {
            qCDebug(lcMediaInfo) << "codec map key repeated, first value kept:" << key;
        }
        map.insert(key, line.mid(comma + 1).trimmed());
    }
    return map;
}

CodecMap loadCodecMap(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcMediaInfo) << "codec map not readable, codec names shown as printed:" << path;
        return CodecMap();
    }
    return parseCodecMap(QString::fromUtf8(file.readAll()));
}

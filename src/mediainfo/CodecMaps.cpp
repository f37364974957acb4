#include "mediainfo/CodecMaps.h"

#include "util/ToolPaths.h"

#include <QCoreApplication>
#include <QDir>

CodecMaps CodecMaps::loadFrom(const QString& folder)
{
    const QDir dir(folder);
    CodecMaps maps;
    maps.AudioCodecMap = loadCodecMap(dir.filePath(QStringLiteral("audiomaps.txt")));
    maps.VideoCodecMap = loadCodecMap(dir.filePath(QStringLiteral("videomaps.txt")));
    return maps;
}

const CodecMaps& CodecMaps::instance()
{
    static const CodecMaps maps = loadFrom(korvane::programFolder());
    return maps;
}

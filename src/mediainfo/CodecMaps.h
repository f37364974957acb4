#pragma once

#include "mediainfo/CodecMap.h"

#include <QString>

// The two codec maps of the program, read from "audiomaps.txt" and "videomaps.txt" in the program
// folder on first use and shared read-only by every probe afterwards.
class CodecMaps
{
public:
    CodecMap AudioCodecMap;
    CodecMap VideoCodecMap;

    static const CodecMaps& instance();
    static CodecMaps loadFrom(const QString& folder);
};

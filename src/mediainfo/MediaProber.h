#pragma once

#include "mediainfo/ProbeResult.h"

#include <QString>

// Describes one media file. Called from worker threads, several at once.
class MediaProber
{
public:
    virtual ~MediaProber() = default;
    // True when the file was accepted; on refusal the result's lastProbeError says why.
    virtual bool probe(const QString& path, ProbeResult& result) = 0;
};

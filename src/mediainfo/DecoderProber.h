#pragma once

#include "mediainfo/DecoderProbe.h"
#include "mediainfo/MediaProber.h"

#include <memory>

class MediaSource;
class CodecMaps;
class DefaultPictures;
class ProbeWorkerRunner;

namespace korvane {
class ProcessRunner;
class PosixProcessRunner;
} // namespace korvane

// The prober the playlist intake uses: the decoder probe, with a failure to run the outside tools
// turned into a refused file whose reason is the failure's description. Safe to call from several
// threads at once.
class DecoderProber : public MediaProber
{
public:
    // The probe worker (the program runner behind it), and the codec maps and default pictures of
    // the program folder.
    DecoderProber();
    DecoderProber(korvane::ProcessRunner& runner, const CodecMaps& maps,
                  const DefaultPictures& pictures);
    ~DecoderProber() override;

    bool probe(const QString& path, ProbeResult& result) override;
    // The same, keeping the description for callers that want its streams and pictures.
    bool describe(const QString& path, MediaSource& source, ProbeResult& result);

    DecoderProbe& decoderProbe() { return *m_probe; }

private:
    std::unique_ptr<korvane::PosixProcessRunner> m_ownRunner;
    // The decoder text from the probe worker, unless KORVANE_PROBE=program.
    std::unique_ptr<ProbeWorkerRunner> m_workerRunner;
    std::unique_ptr<DecoderProbe> m_probe;
};

#include "mediainfo/DecoderProber.h"

#include "mediainfo/CodecMaps.h"
#include "mediainfo/DefaultPictures.h"
#include "mediainfo/MediaSource.h"
#include "mediainfo/ProbeWorkerRunner.h"
#include "util/Logging.h"
#include "util/PosixProcessRunner.h"
#include "util/RunnerError.h"

DecoderProber::DecoderProber()
    : m_ownRunner(std::make_unique<korvane::PosixProcessRunner>()),
      m_workerRunner(ProbeWorkerRunner::wanted() ? std::make_unique<ProbeWorkerRunner>(*m_ownRunner)
                                                 : nullptr),
      m_probe(std::make_unique<DecoderProbe>(
          m_workerRunner ? static_cast<korvane::ProcessRunner&>(*m_workerRunner) : *m_ownRunner,
          CodecMaps::instance(), DefaultPictures::instance()))
{}

DecoderProber::DecoderProber(korvane::ProcessRunner& runner, const CodecMaps& maps,
                             const DefaultPictures& pictures)
    : m_probe(std::make_unique<DecoderProbe>(runner, maps, pictures))
{}

DecoderProber::~DecoderProber() = default;

bool DecoderProber::probe(const QString& path, ProbeResult& result)
{
    MediaSource source;
    return describe(path, source, result);
}

bool DecoderProber::describe(const QString& path, MediaSource& source, ProbeResult& result)
{
    try {
        return m_probe->describe(path, source, result);
    } catch (const korvane::RunnerError& error) {
        result.lastProbeError = error.description();
    } catch (const std::exception& error) {
        result.lastProbeError = QString::fromLocal8Bit(error.what());
    }
    qCDebug(lcMediaInfo).noquote() << "refused" << path + u':' << result.lastProbeError;
    return false;
}

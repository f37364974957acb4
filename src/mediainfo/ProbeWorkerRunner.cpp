#include "mediainfo/ProbeWorkerRunner.h"

#include "mediainfo/ProbeWorkerClient.h"
#include "mediainfo/ProbeWorkerRequest.h"
#include "util/Logging.h"
#include "util/RunnerError.h"
#include "util/ToolPaths.h"

#include <QFile>
#include <QSaveFile>

ProbeWorkerRunner::ProbeWorkerRunner(korvane::ProcessRunner& programs, const QString& worker)
    : m_programs(programs),
      m_client(std::make_unique<ProbeWorkerClient>(
          worker.isEmpty() ? korvane::findTool(QStringLiteral("korvane-probe-worker")) : worker))
{}

ProbeWorkerRunner::~ProbeWorkerRunner() = default;

bool ProbeWorkerRunner::wanted()
{
    return qEnvironmentVariable("KORVANE_PROBE") != QLatin1String("program");
}

bool ProbeWorkerRunner::runPipedCommand(const QStringList& command, const QString& outputFile,
                                        const QString& workingFolder,
                                        std::chrono::milliseconds timeLimit)
{
    const std::optional<ProbeWorkerRequest> request =
        m_usable ? ProbeWorkerRequest::fromDescribeCommand(command) : std::nullopt;
    if (!request) {
        return m_programs.runPipedCommand(command, outputFile, workingFolder, timeLimit);
    }
    ProbeWorkerClient::Reply reply;
    try {
        reply = m_client->request(*request, timeLimit);
    } catch (const korvane::RunnerError& error) {
        if (error.number() != korvane::RunnerError::SpawnFailed) {
            throw;
        }
        m_usable = false;
        qCDebug(lcMediaInfo) << "probe worker unavailable; the decoder program describes files";
        return m_programs.runPipedCommand(command, outputFile, workingFolder, timeLimit);
    }
    ++m_answered;
    // Written whole or not at all, like the program runner's capture.
    QSaveFile file(outputFile);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QFile::encodeName(korvane::commandLineText(command)) + "\r\n") < 0 ||
        file.write(reply.text) < 0 || !file.commit()) {
        throw korvane::RunnerError(korvane::RunnerError::OutputFileFailed,
                                   QStringLiteral("Could not write output file LastError ") +
                                       QString::number(errno));
    }
    return true;
}

bool ProbeWorkerRunner::shellAndWait(QString& program, const QStringList& parameters, bool wait,
                                     std::chrono::milliseconds timeLimit)
{
    const QString completed = korvane::completeProgramPath(program);
    const std::optional<ProbeWorkerRequest> request =
        m_usable && wait && ProbeWorkerRequest::isDecoderProgram(completed)
            ? ProbeWorkerRequest::fromThumbnailArguments(parameters)
            : std::nullopt;
    if (!request) {
        return m_programs.shellAndWait(program, parameters, wait, timeLimit);
    }
    program = completed;
    try {
        m_client->request(*request, timeLimit);
        ++m_answered;
    } catch (const korvane::RunnerError& error) {
        if (error.number() == korvane::RunnerError::SpawnFailed) {
            m_usable = false;
            return m_programs.shellAndWait(program, parameters, wait, timeLimit);
        }
        // The program would have started and ended without a picture.
        qCDebug(lcMediaInfo).noquote() << "no thumbnail:" << error.description();
    }
    return true;
}

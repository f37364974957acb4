#pragma once

#include "util/ProcessRunner.h"

#include <atomic>
#include <memory>

class ProbeWorkerClient;

// A process runner that answers the decoder program's two probe commands from the probe worker:
// the description comes into the capture file as the program would have written it, the
// thumbnail into the same file. Every other command, and every command once the worker cannot
// start, goes to the program runner.
class ProbeWorkerRunner : public korvane::ProcessRunner
{
public:
    // worker: the worker program; empty means korvane-probe-worker beside the player, else on PATH.
    explicit ProbeWorkerRunner(korvane::ProcessRunner& programs, const QString& worker = QString());
    ~ProbeWorkerRunner() override;

    // False when KORVANE_PROBE=program asks for the decoder program only.
    static bool wanted();

    bool runPipedCommand(const QStringList& command, const QString& outputFile,
                         const QString& workingFolder = QString(),
                         std::chrono::milliseconds timeLimit = DefaultTimeLimit) override;
    bool shellAndWait(QString& program, const QStringList& parameters, bool wait = true,
                      std::chrono::milliseconds timeLimit = DefaultTimeLimit) override;

    ProbeWorkerClient& client() { return *m_client; }
    // How many commands the worker answered.
    int answered() const { return m_answered.load(); }

private:
    korvane::ProcessRunner& m_programs;
    std::unique_ptr<ProbeWorkerClient> m_client;
    std::atomic<bool> m_usable{true};
    std::atomic<int> m_answered{0};
};

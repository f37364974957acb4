#pragma once

#include "util/ProcessRunner.h"
#include "util/RunnerError.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <functional>
#include <optional>

namespace korvane::test {

// Stands in for the real runner in probe tests: records each call and answers with scripted
// output (written to the capture file the way the real runner writes it) or a scripted error.
class FakeProcessRunner : public ProcessRunner
{
public:
    struct Call
    {
        QStringList command;
        QString outputFile;
        QString workingFolder;
        std::chrono::milliseconds timeLimit{0};
    };

    // Chooses the output for a command; returning std::nullopt makes the run fail with 2003.
    std::function<std::optional<QByteArray>(const QStringList&)> respond = [](const QStringList&) {
        return std::optional<QByteArray>(QByteArray());
    };
    // Decides whether shellAndWait starts a program; may create the files the program would.
    std::function<bool(const QString&, const QStringList&)> shell = [](const QString&,
                                                                       const QStringList&) {
        return true;
    };

    bool runPipedCommand(const QStringList& command, const QString& outputFile,
                         const QString& workingFolder = QString(),
                         std::chrono::milliseconds timeLimit = DefaultTimeLimit) override
    {
        {
            QMutexLocker lock(&m_mutex);
            m_calls.push_back({command, outputFile, workingFolder, timeLimit});
        }
        const std::optional<QByteArray> output = respond(command);
        if (!output) {
            throw RunnerError(RunnerError::SpawnFailed,
                              QStringLiteral("Could not create piped process. LastError 2"));
        }
        QFile file(outputFile);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            throw RunnerError(RunnerError::OutputFileFailed,
                              QStringLiteral("Could not write output file LastError 2"));
        }
        file.write(commandLineText(command).toUtf8() + "\r\n" + *output);
        return true;
    }

    bool shellAndWait(QString& program, const QStringList& parameters, bool = true,
                      std::chrono::milliseconds = DefaultTimeLimit) override
    {
        {
            QMutexLocker lock(&m_mutex);
            m_shellCalls.push_back({QStringList(program) + parameters, QString(), QString(), {}});
        }
        return shell(program, parameters);
    }

    QList<Call> calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    QList<Call> shellCalls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_shellCalls;
    }

private:
    mutable QMutex m_mutex;
    QList<Call> m_calls;
    QList<Call> m_shellCalls;
};

} // namespace korvane::test

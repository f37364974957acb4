#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <utility>

namespace korvane {

// Failures of the process runner travel as this exception, carrying the runner's error number and a
// description that ends in the system error number where there is one. Callers that probe a file
// treat any RunnerError as a refused file.
class RunnerError : public std::exception
{
public:
    enum Number
    {
        PipeFailed = 2001,
        PipeStateFailed = 2002,
        SpawnFailed = 2003,
        TimeLimitExceeded = 2004,
        OutputFileFailed = 2005,
        WaitFailed = 2006,
    };

    RunnerError(int number, QString description)
        : m_number(number), m_description(std::move(description)),
          m_what(QByteArray::number(number) + ' ' + m_description.toUtf8())
    {}

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace korvane

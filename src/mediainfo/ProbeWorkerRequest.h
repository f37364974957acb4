#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QStringList>
#include <optional>

// One request for the probe worker: what to do and its "key=value" items. The worker is asked
// only what the decoder program would have been asked, so the two shapes of the probe's decoder
// commands are read back into requests here; any other command stays with the program.
struct ProbeWorkerRequest
{
    QByteArray kind; // "describe" or "thumbnail"
    QList<QPair<QByteArray, QByteArray>> items;

    QByteArray value(const QByteArray& key) const;
    // The request as the worker reads it: a header line and the items, each ended by a NUL.
    QByteArray frame(quint64 id) const;

    // The header line of one of the worker's answers, "<id> <status> <length>" without its line
    // end; a body of length bytes follows it. Any status but "ok" is a failure.
    struct AnswerHeader
    {
        quint64 id = 0;
        bool ok = false;
        qsizetype length = 0;
    };
    // Nothing for a line that is not such a header (the worker then can no longer be followed).
    static std::optional<AnswerHeader> readAnswerHeader(const QByteArray& line);

    // "ffmpeg [input options] -i INPUT [trailing input options]": the decoder's description of
    // INPUT. Options after the input name no output, so the program ignores them, and so does the
    // worker.
    static std::optional<ProbeWorkerRequest> fromDescribeCommand(const QStringList& command);
    // "[-ss T] [input options] -i INPUT [picture options] OUTPUT": one JPEG of WxH from about T.
    static std::optional<ProbeWorkerRequest> fromThumbnailArguments(const QStringList& arguments);
    // Whether a program path names the decoder program whose commands the worker can answer.
    static bool isDecoderProgram(const QString& program);
};

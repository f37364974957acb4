// Decoder commands read back into probe-worker requests, and the frames they travel in: a frame
// read the way the worker reads it gives back exactly the request's items, so nothing in a
// command can add an item of its own or cut one short. Lines of the input are also read as the
// headers of the worker's answers.
#include "FuzzSupport.h"
#include "mediainfo/ProbeWorkerRequest.h"

#include <cstdio>
#include <string>

namespace {

struct Received
{
    std::string id;
    std::string kind;
    QList<QPair<QByteArray, QByteArray>> items;
};

// The worker's reading: a header line of at most 255 bytes, "<id> <kind> <length>", then the body
// of items ended by NUL bytes, each split at its first '='.
std::optional<Received> receive(const QByteArray& frame)
{
    const qsizetype lineEnd = frame.indexOf('\n');
    if (lineEnd < 0 || lineEnd >= 255) {
        return std::nullopt;
    }
    const std::string line = frame.left(lineEnd).toStdString();
    char id[64] = {};
    char kind[64] = {};
    unsigned long length = 0;
    if (std::sscanf(line.c_str(), "%63s %63s %lu", id, kind, &length) != 3 || length > (1u << 20) ||
        qsizetype(length) != frame.size() - lineEnd - 1) {
        return std::nullopt;
    }
    Received received{id, kind, {}};
    for (const QByteArray& item : frame.mid(lineEnd + 1).split('\0')) {
        const qsizetype equals = item.indexOf('=');
        if (equals >= 0) {
            received.items.append({item.left(equals), item.mid(equals + 1)});
        }
    }
    return received;
}

void checkRequest(const ProbeWorkerRequest& request, quint64 id)
{
    const std::optional<Received> received = receive(request.frame(id));
    fuzz::check(received.has_value(), "the frame is read whole");
    fuzz::check(received->id == std::to_string(id), "the id arrives");
    fuzz::check(received->kind == request.kind.toStdString(), "the kind arrives");
    fuzz::check(received->items == request.items, "the items arrive as sent, no more, no fewer");
    for (const auto& item : request.items) {
        fuzz::check(!item.first.isEmpty() && !item.first.contains('='),
                    "item names are plain words");
    }
    const QByteArray input = request.value("input");
    fuzz::check(input.startsWith('/') || input.startsWith("file:/"), "the input is a file");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Arguments are separated by line ends, so NUL bytes inside one reach the reader too.
    QStringList arguments;
    for (const QByteArray& part : fuzz::bytes(data, size).split('\n')) {
        arguments.append(QString::fromUtf8(part));
    }
    const quint64 id = size;

    // Each line also stands for the header of an answer: whatever is taken reads back the same
    // when written the way the worker writes it.
    for (const QByteArray& line : fuzz::bytes(data, size).split('\n')) {
        const auto answer = ProbeWorkerRequest::readAnswerHeader(line);
        if (!answer) {
            continue;
        }
        fuzz::check(answer->length >= 0, "an answer's length is not negative");
        fuzz::check(answer->ok == line.contains(" ok "), "only \"ok\" answers succeed");
        const QByteArray rewritten = QByteArray::number(answer->id) +
                                     (answer->ok ? " ok " : " failed ") +
                                     QByteArray::number(answer->length);
        const auto again = ProbeWorkerRequest::readAnswerHeader(rewritten);
        fuzz::check(again && again->id == answer->id && again->ok == answer->ok &&
                        again->length == answer->length,
                    "an answer header reads back the same");
    }

    if (const auto describe = ProbeWorkerRequest::fromDescribeCommand(arguments)) {
        fuzz::check(describe->kind == "describe", "a description is asked");
        checkRequest(*describe, id);
    }
    if (const auto thumbnail = ProbeWorkerRequest::fromThumbnailArguments(arguments)) {
        fuzz::check(thumbnail->kind == "thumbnail", "a picture is asked");
        fuzz::check(thumbnail->value("output").startsWith('/'), "the picture goes to a path");
        checkRequest(*thumbnail, id);
    }
    return 0;
}

#include "mediainfo/ProbeWorkerRequest.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

using Items = QList<QPair<QByteArray, QByteArray>>;

// Input options the worker applies as the program does; each takes a value.
bool isFormatOption(const QString& option)
{
    return option == QLatin1String("-analyzeduration") || option == QLatin1String("-probesize") ||
           option == QLatin1String("-fpsprobesize");
}

// Options that change nothing the worker does.
bool isHarmlessFlag(const QString& option)
{
    return option == QLatin1String("-hide_banner") || option == QLatin1String("-nostdin") ||
           option == QLatin1String("-y") || option == QLatin1String("-an") ||
           option == QLatin1String("-sn") || option == QLatin1String("-dn");
}

// Only the names the probe gives: a "file:" name or an absolute path, never a pipe or a stream.
bool isFileInput(const QString& input)
{
    return input.startsWith(QLatin1String("file:/")) || input.startsWith(QLatin1Char('/'));
}

QByteArray bytes(const QString& text)
{
    return text.toUtf8();
}

// Reads the part before "-i" and the input name. Returns the index after the input name, or -1.
qsizetype readInput(const QStringList& args, Items& items, bool allowSeek)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("-i") && hasValue) {
            if (!isFileInput(args[i + 1]) || args[i + 1].contains(QChar(0))) {
                return -1;
            }
            items.append({"input", bytes(args[i + 1])});
            return i + 2;
        }
        if (isFormatOption(a) && hasValue) {
            // A NUL ends an item in the frame: inside a value it would start an item of its own.
            if (args[i + 1].contains(QChar(0))) {
                return -1;
            }
            items.append({"format." + bytes(a.mid(1)), bytes(args[++i])});
        } else if (allowSeek && a == QLatin1String("-ss") && hasValue) {
            bool ok = false;
            const double seconds = args[i + 1].toDouble(&ok);
            if (!ok || seconds < 0) {
                return -1;
            }
            items.append({"seek", bytes(args[++i])});
        } else if (allowSeek && a == QLatin1String("-noautorotate")) {
            items.append({QByteArray("noautorotate"), QByteArray("1")});
        } else if (!isHarmlessFlag(a)) {
            return -1;
        }
    }
    return -1;
}

} // namespace

QByteArray ProbeWorkerRequest::value(const QByteArray& key) const
{
    for (const auto& item : items) {
        if (item.first == key) {
            return item.second;
        }
    }
    return QByteArray();
}

QByteArray ProbeWorkerRequest::frame(quint64 id) const
{
    QByteArray body;
    for (const auto& item : items) {
        body += item.first + '=' + item.second + '\0';
    }
    return QByteArray::number(id) + ' ' + kind + ' ' + QByteArray::number(body.size()) + '\n' +
           body;
}

std::optional<ProbeWorkerRequest::AnswerHeader>
ProbeWorkerRequest::readAnswerHeader(const QByteArray& line)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3) {
        return std::nullopt;
    }
    bool idOk = false;
    bool lengthOk = false;
    AnswerHeader header;
    header.id = parts[0].toULongLong(&idOk);
    header.ok = parts[1] == "ok";
    header.length = parts[2].toLongLong(&lengthOk);
    if (!idOk || !lengthOk || header.length < 0) {
        return std::nullopt;
    }
    return header;
}

bool ProbeWorkerRequest::isDecoderProgram(const QString& program)
{
    return QFileInfo(program).fileName() == QLatin1String("ffmpeg");
}

std::optional<ProbeWorkerRequest>
ProbeWorkerRequest::fromDescribeCommand(const QStringList& command)
{
    if (command.isEmpty() || !isDecoderProgram(command.front())) {
        return std::nullopt;
    }
    const QStringList args = command.mid(1);
    ProbeWorkerRequest request{"describe", {}};
    qsizetype i = readInput(args, request.items, false);
    if (i < 0) {
        return std::nullopt;
    }
    // Anything after the input other than ignored trailing input options would be an output.
    while (i < args.size()) {
        if (isFormatOption(args[i]) && i + 1 < args.size()) {
            i += 2;
        } else if (isHarmlessFlag(args[i])) {
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return request;
}

std::optional<ProbeWorkerRequest>
ProbeWorkerRequest::fromThumbnailArguments(const QStringList& args)
{
    ProbeWorkerRequest request{"thumbnail", {}};
    qsizetype i = readInput(args, request.items, true);
    if (i < 0) {
        return std::nullopt;
    }
    static const QRegularExpression sizePattern(
        QStringLiteral("^([1-9][0-9]{0,4})x([1-9][0-9]{0,4})$"));
    static const QRegularExpression mapPattern(QStringLiteral("^0:([avV]:)?[0-9]{1,3}\\??$"));
    bool sized = false;
    QString output;
    for (; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size() - 1; // the last item is the output
        const QString next = hasValue ? args[i + 1] : QString();
        if ((a == QLatin1String("-frames:v") || a == QLatin1String("-vframes")) && hasValue &&
            next == QLatin1String("1")) {
            ++i;
        } else if (a == QLatin1String("-s") && hasValue) {
            const QRegularExpressionMatch m = sizePattern.match(next);
            if (!m.hasMatch()) {
                return std::nullopt;
            }
            request.items.append({"width", bytes(m.captured(1))});
            request.items.append({"height", bytes(m.captured(2))});
            sized = true;
            ++i;
        } else if (a == QLatin1String("-f") && hasValue &&
                   (next == QLatin1String("image2") || next == QLatin1String("mjpeg"))) {
            ++i;
        } else if ((a == QLatin1String("-c:v") || a == QLatin1String("-vcodec")) && hasValue &&
                   next == QLatin1String("mjpeg")) {
            ++i;
        } else if ((a == QLatin1String("-sws_flags") || a == QLatin1String("-q:v") ||
                    a == QLatin1String("-qscale:v") || a == QLatin1String("-update")) &&
                   hasValue) {
            // The worker always scales fast and bilinear, at one good quality, to one file.
            ++i;
        } else if (a == QLatin1String("-map") && hasValue && mapPattern.match(next).hasMatch()) {
            QString spec = next.mid(2);
            if (spec.endsWith(QLatin1Char('?'))) {
                spec.chop(1);
            }
            request.items.append({"stream", bytes(spec)});
            ++i;
        } else if (isHarmlessFlag(a)) {
        } else if (i == args.size() - 1 && a.startsWith(QLatin1Char('/'))) {
            // The program writes a relative name in its own folder, the worker in another.
            output = a;
        } else {
            return std::nullopt;
        }
    }
    if (!sized || output.isEmpty() || output.contains(QChar(0))) {
        return std::nullopt;
    }
    request.items.append({"output", bytes(output)});
    return request;
}

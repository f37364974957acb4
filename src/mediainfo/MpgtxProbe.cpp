#include "mediainfo/MpgtxProbe.h"

#include "mediainfo/MediaSource.h"
#include "util/Logging.h"
#include "util/Rounding.h"
#include "util/ToolPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString kAspectPrefix = QStringLiteral("  Aspect ratio ");

// The number that ends right before position p: from the last blank before p (or the line's
// start) up to p. Signs, exponents and words are not numbers here.
std::optional<double> numberBefore(const QString& line, qsizetype p)
{
    if (p <= 0) {
        return std::nullopt;
    }
    const qsizetype blank = line.lastIndexOf(QLatin1Char(' '), p - 1);
    const qsizetype start = blank < 0 ? 0 : blank + 1;
    const QString text = line.mid(start, p - start);
    static const QRegularExpression plainDecimal(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!plainDecimal.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

void readLine(const QString& line, MpgtxProbe::Values& values)
{
    if (line.startsWith(kAspectPrefix)) {
        const QString ratio = line.mid(kAspectPrefix.size());
        if (ratio.startsWith(QLatin1String("4/3"))) {
            values.displayAR = 4.0f / 3.0f;
        } else if (ratio.startsWith(QLatin1String("16/9"))) {
            values.displayAR = 16.0f / 9.0f;
        } else if (ratio.startsWith(QLatin1String("1/1"))) {
            values.displayAR = 1.0f;
        } else if (ratio.startsWith(QLatin1String("2.21/1"))) {
            values.displayAR = 2.21f;
        }
    }

    const qsizetype fpsAt = line.indexOf(QLatin1String(" fps"));
    if (fpsAt >= 0) {
        const auto fps = numberBefore(line, fpsAt);
        if (fps && *fps <= std::numeric_limits<float>::max()) {
            values.fps = static_cast<float>(*fps);
        }
    }

    const qsizetype mbpsAt = line.indexOf(QLatin1String(" Mbps"));
    if (mbpsAt >= 0 && !line.contains(QLatin1String("Muxrate"))) {
        const auto mbps = numberBefore(line, mbpsAt);
        if (mbps && *mbps * 1000.0 <= std::numeric_limits<int>::max()) {
            values.bitRate = static_cast<int>(korvane::roundHalfEven(*mbps * 1000.0));
        }
    }

    // mpgtx writes "Interlaced, chroma format..." with a capital letter.
    if (line.contains(QLatin1String("interlaced"), Qt::CaseInsensitive) &&
        !line.contains(QLatin1String("Not "))) {
        values.interlaced = true;
    }
}

QStringList splitLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    return text.split(lineBreak);
}

} // namespace

bool MpgtxProbe::isMpegFamily(const QString& path)
{
    static const QStringList extensions = {
        QStringLiteral("mpg"), QStringLiteral("vob"), QStringLiteral("mpeg"), QStringLiteral("m2p"),
        QStringLiteral("mpv"), QStringLiteral("m1v"), QStringLiteral("m2v")};
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && extensions.contains(name.mid(dot + 1).toLower());
}

QString MpgtxProbe::program(const QString& programFolder)
{
    const QString folder = programFolder.isEmpty() ? korvane::programFolder() : programFolder;
    const QFileInfo beside(QDir(folder).filePath(QStringLiteral("mpgtx")));
    if (beside.isFile() && beside.isExecutable()) {
        return beside.absoluteFilePath();
    }
    return QStringLiteral("mpgtx");
}

QStringList MpgtxProbe::arguments(const QString& mediaPath)
{
    // mpgtx has no end-of-options marker it honours reliably, and takes "-x.mpg" for options.
    const QString path =
        mediaPath.startsWith(QLatin1Char('-')) ? QStringLiteral("./") + mediaPath : mediaPath;
    return {QStringLiteral("-i"), path};
}

MpgtxProbe::Values MpgtxProbe::readOutput(const QString& output, const QString& mediaPath)
{
    // The path goes before the text is cut into lines: a name holding a line break would
    // otherwise leave its pieces behind as lines of their own.
    QString text = output;
    if (!mediaPath.isEmpty()) {
        text.remove(mediaPath);
    }
    Values values;
    for (const QString& line : splitLines(text)) {
        readLine(line, values);
    }
    return values;
}

MpgtxProbe::Values MpgtxProbe::readCapture(const QString& capture, const QString& mediaPath)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\n|\\r"));
    // The command line names the path too, which may hold a line break of its own.
    QString text = capture;
    if (!mediaPath.isEmpty()) {
        text.remove(mediaPath);
    }
    const QRegularExpressionMatch firstBreak = lineBreak.match(text);
    if (!firstBreak.hasMatch()) {
        return Values();
    }
    return readOutput(text.mid(firstBreak.capturedEnd()), mediaPath);
}

void MpgtxProbe::apply(MediaSource& source, const Values& values)
{
    const int at = source.firstVideoStream();
    if (at < 0) {
        qCDebug(lcMediaInfo) << "mpgtx values not stored, no video stream in" << source.fileName();
        return;
    }
    StreamRecord& video = source.stream(at);
    if (values.bitRate != 0) {
        video.bitRate = values.bitRate;
    }
    if (values.fps != 0.0f) {
        video.fps = values.fps;
    }
    if (values.displayAR != 0.0f) {
        video.displayAR = values.displayAR;
    }
    if (values.interlaced) {
        video.interlaced = true;
    }
}

void MpgtxProbe::applyCapture(MediaSource& source, const QString& capture)
{
    apply(source, readCapture(capture, source.fileName()));
}

#include "mediainfo/DecoderProbe.h"

#include "mediainfo/AviDelayReader.h"
#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderOutputScan.h"
#include "mediainfo/DefaultPictures.h"
#include "mediainfo/MediaSource.h"
#include "mediainfo/MpgtxProbe.h"
#include "mediainfo/ProbeResult.h"
#include "util/Logging.h"
#include "util/ProcessRunner.h"
#include "util/Rounding.h"
#include "util/RunnerError.h"
#include "util/ScratchFolders.h"
#include "util/ToolPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>
#include <limits>
#include <sys/stat.h>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

int clampToInt(double value)
{
    if (value >= std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value <= std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(korvane::roundHalfEven(value));
}

bool unusableVideo(const StreamRecord& s)
{
    // Cover art states the container's clock as its rate; it is one picture all the same.
    return s.isVideo() && (s.width <= 0 || s.height <= 0 ||
                           (s.fps > DecoderProbe::MaxVideoFps && !s.attachedPicture));
}

const QString kScratchPrefix = QStringLiteral("korvane-probe-");

} // namespace

DecoderProbe::DecoderProbe(korvane::ProcessRunner& runner, const CodecMaps& maps,
                           const DefaultPictures& pictures)
    : m_runner(runner), m_maps(maps), m_pictures(pictures),
      m_ffmpeg(korvane::findTool(QStringLiteral("ffmpeg"))),
      m_mpgtx(korvane::findTool(QStringLiteral("mpgtx"))), m_scratchRoot(defaultScratchRoot())
{
    // What a killed run left behind goes, as its dead sockets do.
    korvane::removeStaleScratchFolders(m_scratchRoot, kScratchPrefix);
}

void DecoderProbe::setPrograms(const QString& ffmpeg, const QString& mpgtx)
{
    m_ffmpeg = ffmpeg;
    m_mpgtx = mpgtx;
}

QString DecoderProbe::defaultScratchRoot()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(runtime);
    if (!runtime.isEmpty() && info.isDir() && info.isWritable()) {
        return runtime;
    }
    return QDir::tempPath();
}

QString DecoderProbe::linkName(const QString& path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9]{1,16}$"));
    const QString suffix = QFileInfo(path).suffix().toLower();
    // The decoder guesses some formats by extension, so a plain one is kept.
    return plain.match(suffix).hasMatch() ? QStringLiteral("media.") + suffix
                                          : QStringLiteral("media");
}

QString DecoderProbe::decoderInput(const QString& path)
{
    return QStringLiteral("file:") + QFileInfo(path).absoluteFilePath();
}

QStringList DecoderProbe::probeArguments(const QString& path)
{
    return {QStringLiteral("-i"), decoderInput(path), QStringLiteral("-analyzeduration"),
            QStringLiteral("30000")};
}

QStringList DecoderProbe::thumbnailArguments(const QString& path, int w, int h, float seconds,
                                             const QString& imageFile)
{
    QStringList arguments;
    // Seeking, even to the start, passes over an attached picture: the start is taken unseeked.
    if (seconds > 0.0f) {
        arguments << QStringLiteral("-ss") << commandNumber(seconds);
    }
    return arguments + QStringList{QStringLiteral("-analyzeduration"),
                                   QStringLiteral("5M"),
                                   QStringLiteral("-i"),
                                   decoderInput(path),
                                   QStringLiteral("-frames:v"),
                                   QStringLiteral("1"),
                                   QStringLiteral("-an"),
                                   QStringLiteral("-sws_flags"),
                                   QStringLiteral("fast_bilinear"),
                                   QStringLiteral("-s"),
                                   QStringLiteral("%1x%2").arg(w).arg(h),
                                   QStringLiteral("-f"),
                                   QStringLiteral("image2"),
                                   QStringLiteral("-y"),
                                   imageFile};
}

QString DecoderProbe::commandNumber(float value)
{
    return QString::number(static_cast<double>(value), 'g', 7);
}

QSize DecoderProbe::thumbnailSize(int width, int height)
{
    double scale = 1.0;
    if (width != 0 && height != 0) {
        scale = double(height) / ThumbnailBoxHeight >= double(width) / ThumbnailBoxWidth
                    ? double(ThumbnailBoxHeight) / height
                    : double(ThumbnailBoxWidth) / width;
    }
    int w = clampToInt(width * scale);
    int h = clampToInt(height * scale);
    if (w % 2 != 0) {
        ++w;
    }
    if (h % 2 != 0) {
        ++h;
    }
    return QSize(w, h);
}

float DecoderProbe::thumbnailSeconds(float duration)
{
    if (duration >= 2.0f) {
        return static_cast<float>(static_cast<double>(duration) * 0.1);
    }
    // A second in would be past the last frame of a file this short.
    return duration > 1.0f ? 1.0f : 0.0f;
}

QImage DecoderProbe::makeThumbnail(const QString& path, int w, int h, float seconds,
                                   const QString& imageFile)
{
    QFile::remove(imageFile);
    QString program = m_ffmpeg;
    m_runner.shellAndWait(program, thumbnailArguments(path, w, h, seconds, imageFile));
    if (!QFileInfo::exists(imageFile)) {
        return QImage();
    }
    QImageReader reader(imageFile, "jpeg");
    QImage picture = reader.read();
    QFile::remove(imageFile);
    if (picture.isNull()) {
        qCDebug(lcMediaInfo) << "thumbnail not readable:" << reader.errorString();
    }
    return picture;
}

const QString DecoderProbe::NotFoundReason = QStringLiteral("The file was not found.");
const QString DecoderProbe::NameNotTextReason =
    QStringLiteral("The file's name is not UTF-8 text, so it cannot be opened. Renaming the file "
                   "lets it open.");

bool DecoderProbe::describe(const QString& path, MediaSource& source, ProbeResult& result)
{
    struct stat info = {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        const bool missing = errno == ENOENT || errno == ENOTDIR;
        // A name whose bytes are no UTF-8 reaches here with U+FFFD in their place: that file
        // exists under other bytes, which the name no longer holds.
        result.lastProbeError = !missing ? DecoderOutputScan::UnsupportedReason
                                : path.contains(QChar::ReplacementCharacter) ? NameNotTextReason
                                                                             : NotFoundReason;
        return false;
    }
    // A FIFO or a device would hold the decoder reading for ever.
    if (!S_ISREG(info.st_mode)) {
        qCDebug(lcMediaInfo).noquote() << "not a regular file:" << path;
        result.lastProbeError = DecoderOutputScan::UnsupportedReason;
        return false;
    }
    QTemporaryDir scratch(korvane::scratchPattern(m_scratchRoot, kScratchPrefix));
    if (!scratch.isValid()) {
        result.lastProbeError =
            QStringLiteral("Could not create a scratch folder: ") + scratch.errorString();
        return false;
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // The outside tools only ever see this name, so nothing in a file's name (line breaks, text
    // that reads like their own output) can reach their output.
    const QString link = scratch.filePath(linkName(path));
    if (!QFile::link(absolute, link)) {
        result.lastProbeError = QStringLiteral("Could not create a scratch folder: ") + link;
        return false;
    }
    const QString capturePath = scratch.filePath(QStringLiteral("decoder.txt"));
    m_runner.runPipedCommand(QStringList(m_ffmpeg) + probeArguments(link), capturePath);
    const QString capture = readText(capturePath);
    QFile::remove(capturePath);

    DecoderOutputScan scan(m_maps, path, {decoderInput(link), link, m_ffmpeg});
    const bool read = !capture.isEmpty() && scan.read(capture, source);
    result.warnings += scan.warnings();
    if (!read) {
        result.lastProbeError =
            scan.reason().isEmpty() ? DecoderOutputScan::UnsupportedReason : scan.reason();
        qCDebug(lcMediaInfo).noquote() << "refused" << path + u':' << result.lastProbeError;
        return false;
    }

    for (int i = 0; i < source.streamCount();) {
        if (unusableVideo(source.stream(i))) {
            source.removeStream(i);
        } else {
            ++i;
        }
    }
    if (source.streamCount() == 0) {
        result.lastProbeError = DecoderOutputScan::UnsupportedReason;
        qCDebug(lcMediaInfo).noquote() << "refused, no usable stream:" << path;
        return false;
    }

    source.setFileName(path);

    AviDelayReader avi;
    if (avi.open(absolute)) {
        source.setIsAVI(true);
        // The AVI stream number is the decoder's stream number; streams dropped above leave
        // their numbers unused instead of shifting delays onto other streams.
        for (int j = 0; j < avi.streamCount(); ++j) {
            if (!avi.streamIsAudio(j)) {
                continue;
            }
            for (int i = 0; i < source.streamCount(); ++i) {
                StreamRecord& s = source.stream(i);
                if (s.isAudio() && s.index == j) {
                    s.delay = avi.StreamDelay(j);
                }
            }
        }
    }

    if (MpgtxProbe::isMpegFamily(path)) {
        readMpegValues(link, scratch.path(), source);
    }

    for (int i = 0; i < source.streamCount(); ++i) {
        StreamRecord& s = source.stream(i);
        if (s.isVideo()) {
            s.sourceAR = float(s.width) / float(s.height);
            if (s.displayAR == 0.0f) {
                s.displayAR = 1.0f;
            }
        }
    }

    makePictures(path, link, scratch.path(), source, result);

    source.setTimeStamp(QLocale().toString(QFileInfo(path).lastModified(), QLocale::ShortFormat));
    result.streamInfoText = source.streamInfoText();
    qCDebug(lcMediaInfo).noquote()
        << "accepted" << path << "with" << source.streamCount() << "streams";
    return true;
}

void DecoderProbe::readMpegValues(const QString& link, const QString& scratchFolder,
                                  MediaSource& source)
{
    const QString capturePath = QDir(scratchFolder).filePath(QStringLiteral("mpgtx.txt"));
    // The tool reads the whole file; on a large one or a slow disk it may take longer than is
    // worth waiting, and the decoder's values describe the file well enough without it.
    try {
        m_runner.runPipedCommand(QStringList(m_mpgtx) + MpgtxProbe::arguments(link), capturePath,
                                 QString(), m_mpegToolTimeLimit);
        MpgtxProbe::apply(source, MpgtxProbe::readCapture(readText(capturePath), link));
    } catch (const korvane::RunnerError& error) {
        qCDebug(lcMediaInfo).noquote()
            << "MPEG tool gave nothing, keeping the decoder's values:" << error.description();
    }
    QFile::remove(capturePath);

    // Without a duration there is no rate to work out; the tool's figure stays.
    const double duration = source.duration();
    const int video = source.firstVideoStream();
    if (duration <= 0.0 || video < 0) {
        return;
    }
    const double size = static_cast<double>(QFileInfo(link).size());
    const double perSecond = static_cast<double>(korvane::roundHalfEven(size / duration));
    double rate = static_cast<double>(korvane::roundHalfEven(perSecond / 1000.0 * 8.0));
    for (const StreamRecord& s : source.streams()) {
        if (s.isAudio()) {
            rate -= s.bitRate;
        }
    }
    source.stream(video).bitRate = clampToInt(rate);
}

void DecoderProbe::makePictures(const QString& path, const QString& link,
                                const QString& scratchFolder, MediaSource& source,
                                ProbeResult& result)
{
    bool audioOnly = true;
    for (int i = 0; i < source.streamCount(); ++i) {
        StreamRecord& s = source.stream(i);
        if (s.isVideo()) {
            s.image = m_pictures.defaultVideoPicture;
            result.currentPicture = s.image;
            audioOnly = false;
        } else if (!s.isAudio()) {
            audioOnly = false;
        }
    }
    for (int i = 0; i < source.streamCount(); ++i) {
        StreamRecord& s = source.stream(i);
        if (!s.isVideo()) {
            continue;
        }
        // The decoder draws the picture upright, so a turned stream gets the turned box.
        const bool turned = s.rotation == 90 || s.rotation == 270;
        const QSize size =
            turned ? thumbnailSize(s.height, s.width) : thumbnailSize(s.width, s.height);
        const QString imageFile =
            QDir(scratchFolder).filePath(QStringLiteral("thumbnail-%1.jpg").arg(i));
        // An attached picture is there only at the start.
        const float seconds = s.attachedPicture ? 0.0f : thumbnailSeconds(source.duration());
        s.image = makeThumbnail(link, size.width(), size.height(), seconds, imageFile);
        if (s.image.isNull()) {
            result.warnings.append(QStringLiteral("Cannot render thumbnail for ") + path +
                                   QStringLiteral(". The video codec may be unsupported."));
            s.image = m_pictures.defaultVideoPicture;
        }
        result.currentPicture = s.image;
    }
    if (audioOnly) {
        for (int i = 0; i < source.streamCount(); ++i) {
            source.stream(i).image = m_pictures.defaultAudioPicture;
        }
        result.currentPicture = m_pictures.defaultAudioPicture;
    }
}

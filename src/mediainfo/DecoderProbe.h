#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <chrono>

class MediaSource;
class CodecMaps;
class DefaultPictures;
struct ProbeResult;

namespace korvane {
class ProcessRunner;
}

// Describes one media file by what the decoder prints about it, adds what the AVI reader and the
// MPEG tool know, and has the decoder draw one thumbnail per video stream. Every probe works in
// its own scratch folder, so any number may run at once on one DecoderProbe.
class DecoderProbe
{
public:
    static constexpr int ThumbnailBoxWidth = 90;
    static constexpr int ThumbnailBoxHeight = 72;
    static constexpr float MaxVideoFps = 250.0f;
    // How long the MPEG tool may read a file before its values are done without.
    static constexpr std::chrono::milliseconds DefaultMpegToolTimeLimit{10000};

    // The programs default to the ffmpeg and mpgtx beside the program, else the ones on PATH.
    DecoderProbe(korvane::ProcessRunner& runner, const CodecMaps& maps,
                 const DefaultPictures& pictures);

    void setPrograms(const QString& ffmpeg, const QString& mpgtx);
    // Where the per-probe scratch folders go; by default the runtime folder, else the temp folder.
    void setScratchRoot(const QString& folder) { m_scratchRoot = folder; }
    void setMpegToolTimeLimit(std::chrono::milliseconds limit) { m_mpegToolTimeLimit = limit; }

    // True when the file was described: source holds its streams, result its description text and
    // picture. False when refused, with result.lastProbeError saying why. Warnings for the user go
    // to result.warnings in order. Errors of the process runner leave as RunnerError.
    // Only a regular file (or a link to one) reaches the decoder.
    bool describe(const QString& path, MediaSource& source, ProbeResult& result);
    // The reason given for a file that is not there (the message names the file).
    static const QString NotFoundReason;
    static const QString NameNotTextReason;

    // Has the decoder write one w x h frame from about `seconds` into the file into imageFile and
    // loads it; a null image when none came out or it cannot be read.
    QImage makeThumbnail(const QString& path, int w, int h, float seconds,
                         const QString& imageFile);

    // The fixed name of the link through which the tools see a file: "media" and the file's
    // extension when that is plain letters and digits.
    static QString linkName(const QString& path);
    // The decoder's name for a file: "file:" before the absolute path, so no name reads as an
    // option or as another protocol.
    static QString decoderInput(const QString& path);
    static QStringList probeArguments(const QString& path);
    static QStringList thumbnailArguments(const QString& path, int w, int h, float seconds,
                                          const QString& imageFile);
    // The picture size inside the 90 x 72 box, proportions kept, each side made even.
    static QSize thumbnailSize(int width, int height);
    // A tenth into the file from 2 s up; 1 s into shorter files, and their start when they
    // last no longer than that.
    static float thumbnailSeconds(float duration);
    // A number for the decoder's command line: "." as decimal point, up to seven significant
    // digits.
    static QString commandNumber(float value);
    static QString defaultScratchRoot();

private:
    void readMpegValues(const QString& link, const QString& scratchFolder, MediaSource& source);
    void makePictures(const QString& path, const QString& link, const QString& scratchFolder,
                      MediaSource& source, ProbeResult& result);

    korvane::ProcessRunner& m_runner;
    const CodecMaps& m_maps;
    const DefaultPictures& m_pictures;
    QString m_ffmpeg;
    QString m_mpgtx;
    QString m_scratchRoot;
    std::chrono::milliseconds m_mpegToolTimeLimit = DefaultMpegToolTimeLimit;
};

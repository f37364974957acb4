#pragma once

#include <QString>
#include <QStringList>

class MediaSource;

// What mpgtx adds for MPEG files: display aspect, interlacing and the frame rate the decoder's
// summary often lacks. Running the tool is the caller's business (through the process runner);
// this class gives the command and reads the captured text.
class MpgtxProbe
{
public:
    struct Values
    {
        int bitRate = 0; // kbit/s
        float fps = 0.0f;
        float displayAR = 0.0f;
        bool interlaced = false;
    };

    // Extensions that get the MPEG probe ("mpg", "vob", "mpeg", "m2p", "mpv", "m1v", "m2v").
    static bool isMpegFamily(const QString& path);

    // The mpgtx beside the program when there is one, else "mpgtx" for a PATH look-up.
    // An empty folder means the running program's folder.
    static QString program(const QString& programFolder = QString());
    static QStringList arguments(const QString& mediaPath);

    // Reads the tool's own output. Every occurrence of the media path is removed before the text
    // is cut into lines, so a file's name never stands in for the tool's findings, whatever it
    // holds.
    static Values readOutput(const QString& output, const QString& mediaPath);
    // Reads a capture file's text: the runner's command line first, then the tool's output.
    static Values readCapture(const QString& capture, const QString& mediaPath);

    // Stores the values in the first video stream; without one nothing is stored.
    static void apply(MediaSource& source, const Values& values);
    static void applyCapture(MediaSource& source, const QString& capture);
};

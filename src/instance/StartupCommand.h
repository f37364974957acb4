#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <functional>

// What the process was asked to open. When the arguments, joined with one blank each, name an
// existing file, that is the one file, double quotes and all; so is the joined text with every
// double quote removed (a quoted path with blanks arrives whole). Otherwise several arguments
// are several files or folders, each as given. A trailing "*Add" asks to add without playing.
// A relative path is taken from the current folder and made absolute before it goes anywhere.
struct StartupCommand
{
    // How a later start hands several names over: this word, then each name as a file URL
    // (printable ASCII, blanks encoded), one blank between them, and the marker, if any, last.
    // One name keeps the plain form, which every player reads.
    static constexpr QLatin1StringView kFilesWord{"*Files"};

    QString forwardingText; // the command as handed to a running instance, marker still on
    QString path;           // one name: the command without the marker and the blank before it
    QStringList paths;      // every name to take in, in order (one name: path, when not empty)
    bool autoPlay = true;

    static StartupCommand fromArguments(const QStringList& arguments, const QString& currentFolder,
                                        const std::function<bool(const QString&)>& isFile);
    // A text handed over by a later start: one name, already joined and unquoted, or the
    // several-names form. A name of that form that is not an absolute local path is left out.
    static StartupCommand fromHandOver(const QString& text);
    static bool hasAddMarker(const QString& text);
    // Cuts the marker and the blank before it ("... *Add" loses five characters).
    static QString withoutAddMarker(const QString& text);
    // The several-names form of absolute paths.
    static QString filesText(const QStringList& paths, bool addOnly);
};

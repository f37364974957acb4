#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// What the process was asked to open. When the arguments, joined with one blank each, name an
// existing file, that is the path, double quotes and all. Otherwise every double quote is
// removed, so a quoted path with blanks arrives whole and two names make one text that names no
// file. A trailing "*Add" asks to add the file without playing it. A relative path is taken
// from the current folder and made absolute before it goes anywhere.
struct StartupCommand
{
    QString forwardingText; // the command as handed to a running instance, marker still on
    QString path;           // the command without the marker and the blank before it
    bool autoPlay = true;

    static StartupCommand fromArguments(const QStringList& arguments, const QString& currentFolder,
                                        const std::function<bool(const QString&)>& isFile);
    // A text handed over by a later start: already joined and unquoted.
    static StartupCommand fromHandOver(const QString& text);
    static bool hasAddMarker(const QString& text);
    // Cuts the marker and the blank before it ("... *Add" loses five characters).
    static QString withoutAddMarker(const QString& text);
};

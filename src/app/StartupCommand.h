#pragma once

#include <QString>
#include <QStringList>

// What the process was asked to open. The arguments are joined with one blank each and every
// double quote is removed, so a quoted path with blanks arrives whole and two names make one
// text that names no file. A trailing "*Add" asks to add the file without playing it.
struct StartupCommand
{
    QString forwardingText; // the command as handed to a running instance, marker still on
    QString path;           // the command without the marker and the blank before it
    bool autoPlay = true;

    static StartupCommand fromArguments(const QStringList& arguments);
    // A text handed over by a later start: already joined and unquoted.
    static StartupCommand fromHandOver(const QString& text);
    static bool hasAddMarker(const QString& text);
    // Cuts the marker and the blank before it ("... *Add" loses five characters).
    static QString withoutAddMarker(const QString& text);
};

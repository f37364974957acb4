#pragma once

#include "playlist/ChosenFile.h"

#include <QList>
#include <QString>
#include <QStringList>

class FileChooser;

// The open-file dialog of the playlist's Open and Add commands: the filter list built from the
// supported extensions, and the folder of the last choice, kept for the rest of the run.
class OpenDialog
{
public:
    static inline const QString Title = QStringLiteral("Open Video File");

    explicit OpenDialog(FileChooser& chooser);

    // "All Supported Formats|*.wav;*.flv;...|WAV|*.wav|FLV|*.flv|..." in the extensions' order.
    static QString buildFilterText(const QStringList& extensions);
    // The 25 entries above, then "All Media Files" with every extension Korvane takes in, then
    // "All Files (*)", which lets the decoder judge any file.
    static QString buildMediaFilterText(const QStringList& extensions,
                                        const QStringList& mediaExtensions);
    // The "|"-separated label and pattern pairs as Qt name filters: "WAV (*.wav)"; the patterns
    // of one entry are separated by ";". A trailing label without patterns is dropped, and a
    // label that already ends in its patterns ("All Files (*)") is taken as it is.
    static QStringList nameFilters(const QString& filterText);
    // The text before the last "/", "/" for a file in the root, all of it when there is no "/".
    static QString folderOfPath(const QString& path);
    // The text after the last "/" (all of it when there is none).
    static QString fileNameOfPath(const QString& path);

    // Runs the dialog and returns the chosen files in the dialog's order, each full path once.
    // Nothing when cancelled; LastDialogFolder then stays as it was.
    QList<ChosenFile> showOpenDialog(const QString& title, const QString& filterText);
    // The dialog of the Open and Add commands: its title and the filters of these extensions.
    QList<ChosenFile> chooseMediaFiles(const QStringList& supportedExtensions,
                                       const QStringList& mediaExtensions);

    // The dialog of the Open Folder command; it starts and leaves off where the file dialog does.
    QString chooseFolder();
    static inline const QString FolderTitle = QStringLiteral("Open Folder");

    QString lastDialogFolder() const { return m_lastDialogFolder; }

private:
    FileChooser& m_chooser;
    QString m_lastDialogFolder;
};

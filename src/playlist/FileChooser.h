#pragma once

#include <QString>
#include <QStringList>

// Lets the user pick one or several existing files. A seam so that callers can be tested
// without a window.
class FileChooser
{
public:
    virtual ~FileChooser() = default;

    // nameFilters are in Qt's "Label (*.a *.b)" form; the first one is selected. An empty
    // initialFolder leaves the choice of folder to the dialog. Returns the chosen files' full
    // paths in the dialog's order, or nothing when the user cancels.
    virtual QStringList chooseExistingFiles(const QString& title, const QStringList& nameFilters,
                                            const QString& initialFolder) = 0;
    // One existing folder, or an empty text when the user cancels.
    virtual QString chooseFolder(const QString& title, const QString& initialFolder) = 0;
};

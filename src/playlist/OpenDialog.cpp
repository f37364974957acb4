#include "playlist/OpenDialog.h"

#include "playlist/FileChooser.h"
#include "util/Logging.h"

#include <QSet>

OpenDialog::OpenDialog(FileChooser& chooser) : m_chooser(chooser) {}

QString OpenDialog::buildFilterText(const QStringList& extensions)
{
    QString text = QStringLiteral("All Supported Formats|");
    for (const QString& extension : extensions) {
        text += QStringLiteral("*.") + extension + QLatin1Char(';');
    }
    if (text.endsWith(QLatin1Char(';'))) {
        text.chop(1);
    }
    text += QLatin1Char('|');
    for (const QString& extension : extensions) {
        text += extension.toUpper() + QLatin1Char('|') + QStringLiteral("*.") + extension +
                QLatin1Char('|');
    }
    text.chop(1);
    return text;
}

QString OpenDialog::buildMediaFilterText(const QStringList& extensions,
                                         const QStringList& mediaExtensions)
{
    QStringList patterns;
    for (const QString& extension : mediaExtensions) {
        patterns << QStringLiteral("*.") + extension;
    }
    return buildFilterText(extensions) + QStringLiteral("|All Media Files|") +
           patterns.join(QLatin1Char(';')) + QStringLiteral("|All Files (*)|*");
}

QStringList OpenDialog::nameFilters(const QString& filterText)
{
    const QStringList fields = filterText.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QStringList patterns = fields[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        const QString shown = QStringLiteral("(") + patterns.join(QLatin1Char(' ')) + u')';
        filters << (fields[i].endsWith(shown) ? fields[i] : fields[i] + u' ' + shown);
    }
    return filters;
}

QString OpenDialog::folderOfPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0) {
        return path;
    }
    // A file in the root keeps "/" as its folder; an empty folder would mean "no folder".
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

QString OpenDialog::fileNameOfPath(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QList<ChosenFile> OpenDialog::showOpenDialog(const QString& title, const QString& filterText)
{
    const QStringList paths =
        m_chooser.chooseExistingFiles(title, nameFilters(filterText), m_lastDialogFolder);
    QList<ChosenFile> chosen;
    QSet<QString> seen;
    for (const QString& path : paths) {
        if (path.isEmpty() || seen.contains(path)) {
            continue;
        }
        seen.insert(path);
        chosen.append(ChosenFile{fileNameOfPath(path), path});
    }
    if (!chosen.isEmpty()) {
        m_lastDialogFolder = folderOfPath(chosen.first().fullPath);
        qCDebug(lcPlaylist) << "dialog chose" << chosen.size() << "files in" << m_lastDialogFolder;
    }
    return chosen;
}

QString OpenDialog::chooseFolder()
{
    const QString folder = m_chooser.chooseFolder(FolderTitle, m_lastDialogFolder);
    if (!folder.isEmpty()) {
        m_lastDialogFolder = folder;
    }
    return folder;
}

QList<ChosenFile> OpenDialog::chooseMediaFiles(const QStringList& supportedExtensions,
                                               const QStringList& mediaExtensions)
{
    return showOpenDialog(Title, buildMediaFilterText(supportedExtensions, mediaExtensions));
}

#include "ui/qt/QtFileChooser.h"

#include "util/Logging.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace {

// Qt's dialog writes several chosen files into its name field as "a" "b" and reads them back
// from there, which breaks on names that hold a double quote: it finds none of the files and
// refuses to close. The field is read here first, splitting only where one quoted name ends and
// the next begins; Qt's own reading, with its message for a missing file, is the fallback.
class QuoteSafeFileDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    QStringList chosen() const { return m_fromField.isEmpty() ? selectedFiles() : m_fromField; }

    void accept() override
    {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        m_fromField = edit ? existingFilesIn(edit->text()) : QStringList();
        if (!m_fromField.isEmpty()) {
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }

private:
    QStringList existingFilesIn(const QString& field) const
    {
        const QString separator = QStringLiteral("\" \"");
        if (field.size() < 2 || !field.startsWith(u'"') || !field.endsWith(u'"') ||
            !field.contains(separator)) {
            return {};
        }
        const QDir folder = directory();
        QStringList paths;
        for (const QString& name : field.mid(1, field.size() - 2).split(separator)) {
            const QFileInfo file(folder.filePath(name));
            if (name.isEmpty() || name.contains(u'/') || !file.isFile()) {
                return {};
            }
            paths << file.absoluteFilePath();
        }
        return paths;
    }

    QStringList m_fromField;
};

} // namespace

QtFileChooser::QtFileChooser(QWidget* owner) : m_owner(owner) {}

QStringList QtFileChooser::chooseExistingFiles(const QString& title, const QStringList& nameFilters,
                                               const QString& initialFolder)
{
    QuoteSafeFileDialog dialog(m_owner, title, initialFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty()) {
        dialog.selectNameFilter(nameFilters.first());
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    // Only existing files may come back, whatever the dialog made of typed names.
    QStringList chosen;
    for (const QString& path : dialog.chosen()) {
        if (QFileInfo(path).isFile()) {
            chosen << path;
        } else {
            qCDebug(lcUi).noquote() << "dialog named no file:" << path;
        }
    }
    return chosen;
}

QString QtFileChooser::chooseFolder(const QString& title, const QString& initialFolder)
{
    QFileDialog dialog(m_owner, title, initialFolder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QString folder = dialog.selectedFiles().first();
    return QFileInfo(folder).isDir() ? folder : QString();
}

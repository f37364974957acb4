#include "ui/QtFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

QtFileChooser::QtFileChooser(QWidget* owner) : m_owner(owner) {}

QStringList QtFileChooser::chooseExistingFiles(const QString& title, const QStringList& nameFilters,
                                               const QString& initialFolder)
{
    QFileDialog dialog(m_owner, title, initialFolder);
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
    for (const QString& path : dialog.selectedFiles()) {
        if (QFileInfo(path).isFile()) {
            chosen << path;
        }
    }
    return chosen;
}

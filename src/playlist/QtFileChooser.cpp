#include "playlist/QtFileChooser.h"

#include <QFileDialog>

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
    return dialog.selectedFiles();
}

#include "ui/qt/QtUserMessages.h"

#include "util/Logging.h"

#include <QMessageBox>

void QtUserMessages::show(Icon icon, const QString& title, const QString& text)
{
    static constexpr QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                  QMessageBox::Warning, QMessageBox::Critical};
    auto* box =
        new QMessageBox(icons[static_cast<int>(icon)], title, text, QMessageBox::Ok, m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    qCDebug(lcUi).noquote() << "message:" << title << "-" << text;
    box->show();
}

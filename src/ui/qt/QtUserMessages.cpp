#include "ui/qt/QtUserMessages.h"

#include "util/Logging.h"

#include <QMessageBox>

void QtUserMessages::show(Icon icon, const QString& title, const QString& text)
{
    const QString key = QString::number(static_cast<int>(icon)) + u'\n' + title + u'\n' + text;
    const auto open = m_open->find(key);
    if (open != m_open->end() && open->box && static_cast<QWidget*>(open->box.get())->isVisible()) {
        ++open->repeats;
        qCDebug(lcUi).noquote() << "message repeated while shown (" << open->repeats
                                << "times):" << title << "-" << text;
        return;
    }
    static constexpr QMessageBox::Icon icons[] = {QMessageBox::NoIcon, QMessageBox::Information,
                                                  QMessageBox::Warning, QMessageBox::Critical};
    auto* box =
        new QMessageBox(icons[static_cast<int>(icon)], title, text, QMessageBox::Ok, m_owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    m_open->insert(key, Open{box, 0});
    QObject::connect(box, &QObject::destroyed, [open = std::weak_ptr(m_open), key](QObject* gone) {
        // A newer box for the same message may have taken the entry.
        if (const auto still = open.lock()) {
            if (const QObject* held = still->value(key).box.get(); !held || held == gone) {
                still->remove(key);
            }
        }
    });
    qCDebug(lcUi).noquote() << "message:" << title << "-" << text;
    box->show();
}

int QtUserMessages::openCount() const
{
    int count = 0;
    for (const Open& open : *m_open) {
        count += open.box && static_cast<QWidget*>(open.box.get())->isVisible() ? 1 : 0;
    }
    return count;
}

#pragma once

#include "system/UserMessages.h"

#include <QHash>
#include <QPointer>
#include <memory>

class QMessageBox;
class QWidget;

// Message boxes that do not block. A message already on screen is not shown again: a storm of
// the same hand-over or the same refused file gives one box, and the log counts the repeats.
class QtUserMessages : public UserMessages
{
public:
    explicit QtUserMessages(QWidget* owner = nullptr) : m_owner(owner) {}
    void show(Icon icon, const QString& title, const QString& text) override;

    // The boxes on screen now.
    int openCount() const;

private:
    struct Open
    {
        // Held as a QObject: the entry is read while the box is half destroyed, when it is no
        // longer a QMessageBox.
        QPointer<QObject> box;
        int repeats = 0;
    };
    QPointer<QWidget> m_owner;
    // Shared with the boxes, which may outlive this object.
    std::shared_ptr<QHash<QString, Open>> m_open = std::make_shared<QHash<QString, Open>>();
};

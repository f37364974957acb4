#pragma once

#include "system/UserMessages.h"

#include <QPointer>

class QWidget;

class QtUserMessages : public UserMessages
{
public:
    explicit QtUserMessages(QWidget* owner = nullptr) : m_owner(owner) {}
    void show(Icon icon, const QString& title, const QString& text) override;

private:
    QPointer<QWidget> m_owner;
};

#pragma once

#include "system/UserMessages.h"

#include <QList>

class RecordingUserMessages : public UserMessages
{
public:
    struct Message
    {
        Icon icon;
        QString title;
        QString text;
    };
    void show(Icon icon, const QString& title, const QString& text) override
    {
        messages.append({icon, title, text});
    }
    QList<Message> messages;
};

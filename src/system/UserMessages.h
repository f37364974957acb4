#pragma once

#include <QString>

// Message boxes for the user. The program's boxes never block the caller, so a message shown in
// the middle of work (a refused file during intake) does not stall or re-enter that work.
class UserMessages
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical
    };
    virtual ~UserMessages() = default;
    virtual void show(Icon icon, const QString& title, const QString& text) = 0;
};

#pragma once

#include "commands/MenuCommand.h"

#include <QString>
#include <QStringList>
#include <vector>

// The dispatch of a main-menu click: the clicked item's key is compared with each row's keys in
// table order, exactly and case-sensitively; the first equal key decides. A key no row names
// does nothing.
class MainMenuDispatch
{
public:
    struct Row
    {
        QStringList keys;
        MenuCommand command;
    };

    static const std::vector<Row>& table();
    // The row whose keys hold this key first, or -1.
    static int rowOf(const QString& key);
    // The command of a clicked key; the argument is the key's place in its row.
    static MenuDispatch dispatchKey(const QString& key);
};

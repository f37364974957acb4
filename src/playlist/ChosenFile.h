#pragma once

#include <QString>

// One file picked in the open dialog.
struct ChosenFile
{
    QString fileName;
    QString fullPath;
    bool operator==(const ChosenFile&) const = default;
};

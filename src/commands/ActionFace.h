#pragma once

#include <QString>

// How one command's action shows on one surface.
struct ActionFace
{
    QString text;
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool operator==(const ActionFace&) const = default;
};

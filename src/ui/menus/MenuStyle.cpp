#include "ui/menus/MenuStyle.h"

QString MenuStyle::styleSheet()
{
    // Selected rows take dark text: the light text would vanish on the light selection.
    // Disabled rows keep the light grey, dimmed so they stay apart from enabled ones.
    return QStringLiteral(
        "QMenuBar, QMenu { font-family: Tahoma; font-size: 8.25pt; font-weight: normal; }"
        "QMenuBar { background: rgb(105, 112, 97); color: rgb(242, 255, 255); border: none;"
        " spacing: 0px; }"
        "QMenuBar::item { background: transparent; padding: 3px 7px; }"
        "QMenuBar::item:selected, QMenuBar::item:pressed { background: rgb(224, 224, 224);"
        " color: rgb(64, 64, 64); }"
        "QMenuBar::item:disabled { color: rgba(224, 224, 224, 128); }"
        "QMenu { background: rgb(103, 119, 118); color: rgb(242, 255, 255);"
        " border: 1px solid rgb(105, 112, 97); padding: 2px 0px; }"
        "QMenu::item { padding: 3px 24px 3px 24px; background: transparent; }"
        "QMenu::item:selected { background: rgb(224, 224, 224); color: rgb(64, 64, 64); }"
        "QMenu::item:disabled { color: rgba(224, 224, 224, 128); }"
        "QMenu::separator { height: 1px; background: rgb(224, 224, 224); margin: 3px 6px; }"
        "QMenu::indicator { width: 12px; height: 12px; left: 6px; }"
        "QMenu::right-arrow { width: 8px; height: 8px; }");
}

#include "skin/PlaylistPlacement.h"

PlaylistPlacement PlaylistPlacement::forPosition(int position, QSize splitter)
{
    PlaylistPlacement p;
    p.size = {-1, -1, -1, -1, -1};
    if (position < Left || position > Hidden) {
        return p;
    }
    p.known = true;
    p.size = {0, 0, -1, 0, 0};
    p.locked = {true, true, false, true, true};
    // The splitter's own size, divided without rounding.
    switch (position) {
    case Left:
        p.size[0] = splitter.width() / 3;
        p.host = 0;
        break;
    case Right:
        p.size[4] = splitter.width() / 3;
        p.host = 4;
        break;
    case Top:
        p.size[1] = splitter.height() / 3;
        p.host = 1;
        break;
    case Bottom:
        p.size[3] = splitter.height() / 3;
        p.host = 3;
        break;
    case Fill:
        p.fills = true;
        break;
    default:
        break;
    }
    p.clearOtherHosts = position != Hidden;
    if (p.host >= 0) {
        p.locked[static_cast<std::size_t>(p.host)] = false;
    }
    return p;
}

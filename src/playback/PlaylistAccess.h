#pragma once

#include <QString>

// What playback needs of the playlist: its entries, the selection, and the open dialog for a
// Play with nothing to play.
class PlaylistAccess
{
public:
    virtual ~PlaylistAccess() = default;
    virtual int count() const = 0;
    virtual QString fullPath(int index) const = 0;
    virtual int selectedItem() const = 0;
    virtual QString selectedTitle() const = 0;
    virtual void select(int index) = 0;
    virtual void openFiles() = 0;
};

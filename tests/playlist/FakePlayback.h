#pragma once

#include "playlist/PlaybackSeam.h"

#include <QStringList>

class FakePlayback : public PlaybackSeam
{
public:
    void PlayItem(int index, bool fullScreen) override
    {
        calls << QString("play %1%2").arg(index).arg(fullScreen ? " full" : "");
    }
    void rebuildSequence() override { calls << "rebuild"; }
    void setSequencePosition(int position) override
    {
        calls << QString("position %1").arg(position);
    }
    void removeSequenceAt(int index) override { calls << QString("remove %1").arg(index); }
    void clearSequence() override { calls << "clear"; }
    bool isShuffle() const override { return shuffle; }

    bool shuffle = false;
    QStringList calls;
};

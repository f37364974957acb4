#pragma once

#include "settings/SettingsEnums.h"

#include <QString>

class Engine;

// Takes one snapshot of what the engine shows: into the item's snapshot folder (made when
// missing), under the next free "<prefix><number>" name, as PNG or converted to JPG.
class SnapshotTaker
{
public:
    struct Result
    {
        enum class Outcome
        {
            Saved,
            // Nothing plays, or the engine gave no picture.
            NoPicture,
            FolderNotWritable,
            // The picture came but could not be written in the format asked for.
            WriteFailed,
        };
        Outcome outcome = Outcome::NoPicture;
        QString path;   // the file written, when saved
        QString folder; // where it was to go
    };

    static Result take(Engine* engine, const QString& folder, const QString& prefix,
                       SnapshotFormat format);
};

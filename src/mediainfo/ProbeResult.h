#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// What one probe hands back to the playlist intake. Each probe owns its own result, so probes
// on several worker threads never see each other's text or picture.
struct ProbeResult
{
    QString streamInfoText; // description text, set when the file was accepted
    QImage currentPicture;  // picture for the playlist entry
    QString lastProbeError; // reason text, set when the file was refused
    QStringList warnings;   // messages for the user, in order, shown later on the UI thread
};

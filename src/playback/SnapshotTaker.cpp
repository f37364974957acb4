#include "playback/SnapshotTaker.h"

#include "playback/ControlSteps.h"
#include "playback/engine/Engine.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

SnapshotTaker::Result SnapshotTaker::take(Engine* engine, const QString& folder,
                                          const QString& prefix, SnapshotFormat format)
{
    using Outcome = Result::Outcome;
    Result result;
    result.folder = folder;
    if (!engine || !engine->hasMedia() || !engine->hasVout() || folder.isEmpty()) {
        return result;
    }
    QDir dir(folder);
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        qCWarning(lcPlayback).noquote() << "cannot write snapshots into" << folder;
        result.outcome = Outcome::FolderNotWritable;
        return result;
    }
    const bool jpg = format == SnapshotFormat::Jpg;
    const QString extension = jpg ? QStringLiteral("jpg") : QStringLiteral("png");
    const QString name =
        ControlSteps::nextSnapshotName(dir.entryList(QDir::Files), prefix, extension);
    const QString path = dir.filePath(name);
    // The engine writes PNG; a JPG is converted from a scratch PNG beside it.
    const QString written =
        jpg ? dir.filePath(QStringLiteral(".") + name + QStringLiteral(".png")) : path;
    if (!engine->saveSnapshot(written)) {
        QFile::remove(written);
        return result;
    }
    if (jpg) {
        const QImage image(written);
        const bool saved = !image.isNull() && image.save(path, "JPG", 90);
        QFile::remove(written);
        if (!saved) {
            QFile::remove(path);
            result.outcome = Outcome::WriteFailed;
            return result;
        }
    }
    result.outcome = Outcome::Saved;
    result.path = path;
    return result;
}

#include "mediainfo/DefaultPictures.h"

#include "util/Logging.h"
#include "util/ToolPaths.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QImage loadOrPlaceholder(const QString& path)
{
    QImage image(path);
    if (image.isNull()) {
        qCDebug(lcMediaInfo) << "default picture missing, using a placeholder:" << path;
        image = QImage(90, 72, QImage::Format_RGB32);
        image.fill(QColor(64, 64, 64));
    }
    return image;
}

} // namespace

DefaultPictures DefaultPictures::loadFrom(const QString& folder)
{
    const QDir dir(folder);
    DefaultPictures pictures;
    pictures.defaultVideoPicture = loadOrPlaceholder(dir.filePath(QStringLiteral("Video.JPG")));
    pictures.defaultAudioPicture = loadOrPlaceholder(dir.filePath(QStringLiteral("Audio.JPG")));
    return pictures;
}

const DefaultPictures& DefaultPictures::instance()
{
    static const DefaultPictures pictures = loadFrom(korvane::programFolder());
    return pictures;
}

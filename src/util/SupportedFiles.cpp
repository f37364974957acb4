#include "util/SupportedFiles.h"

const QStringList& SupportedExtensions()
{
    static const QStringList extensions{
        QStringLiteral("wav"),   QStringLiteral("flv"),  QStringLiteral("mka"),
        QStringLiteral("mkv"),   QStringLiteral("mp3"),  QStringLiteral("mpg"),
        QStringLiteral("mpe"),   QStringLiteral("mpeg"), QStringLiteral("aac"),
        QStringLiteral("mp4"),   QStringLiteral("m4v"),  QStringLiteral("m4a"),
        QStringLiteral("ogm"),   QStringLiteral("ogg"),  QStringLiteral("mov"),
        QStringLiteral("hdmov"), QStringLiteral("qt"),   QStringLiteral("3gp"),
        QStringLiteral("3gpp"),  QStringLiteral("3g2"),  QStringLiteral("avi"),
        QStringLiteral("wma"),   QStringLiteral("wmv"),  QStringLiteral("asf"),
    };
    return extensions;
}

bool isSupportedFile(const QString& path)
{
    const QString name = fileNameOfPath(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0 || dot == name.size() - 1) {
        return false;
    }
    return SupportedExtensions().contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

QString fileNameOfPath(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

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

const QStringList& MediaExtensions()
{
    static const QStringList extensions = [] {
        QStringList all = SupportedExtensions();
        for (const char* ext :
             {// played by the engine, without an association flag
              "webm", "flac", "opus", "ogv", "oga", "spx", "m2ts", "mts", "ts", "vob", "m4b", "mp2",
              "mpga", "divx", "f4v", "wv", "ape", "ac3", "dts", "amr", "mk3d",
              // the other names of the associated types (aac, mp4, m4a, mov, 3gp, 3g2, avi)
              "adts", "lrv", "f4a", "moov", "qtvr", "3ga", "3gp2", "3gpp2", "avf"}) {
            all.append(QLatin1String(ext));
        }
        return all;
    }();
    return extensions;
}

bool isSupportedFile(const QString& path)
{
    const QString name = fileNameOfPath(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0 || dot == name.size() - 1) {
        return false;
    }
    return MediaExtensions().contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

QString fileNameOfPath(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

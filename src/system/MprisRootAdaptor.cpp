#include "system/MprisRootAdaptor.h"

#include "system/MprisPlayer.h"
#include "util/Product.h"

MprisRootAdaptor::MprisRootAdaptor(QObject* parent, MprisPlayer& player)
    : QDBusAbstractAdaptor(parent), m_player(player)
{}

QString MprisRootAdaptor::identity() const
{
    return QString(korvane::kProductName);
}

QString MprisRootAdaptor::desktopEntry() const
{
    return QStringLiteral("korvane");
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return {QStringLiteral("file")};
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    // The types of the supported extensions, as the desktop entry lists them.
    return {
        "audio/x-wav",      "audio/wav",          "video/x-flv",     "audio/x-matroska",
        "video/x-matroska", "audio/mpeg",         "video/mpeg",      "audio/aac",
        "video/mp4",        "video/x-m4v",        "audio/mp4",       "video/x-ogm+ogg",
        "audio/ogg",        "audio/x-vorbis+ogg", "video/ogg",       "video/quicktime",
        "video/3gpp",       "video/3gpp2",        "video/x-msvideo", "audio/x-ms-wma",
        "video/x-ms-wmv",   "video/x-ms-asf",
    };
}

void MprisRootAdaptor::Raise()
{
    m_player.raise();
}

void MprisRootAdaptor::Quit()
{
    m_player.quit();
}

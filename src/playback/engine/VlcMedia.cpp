#include "playback/engine/VlcMedia.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <vlc/vlc.h>

namespace {

bool isAddress(const QString& mrlOrPath)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    return scheme.match(mrlOrPath).hasMatch();
}

QList<Engine::Track> tracksOf(libvlc_track_description_t* list)
{
    QList<Engine::Track> tracks;
    for (const libvlc_track_description_t* it = list; it; it = it->p_next) {
        if (it->i_id >= 0) {
            tracks.append({it->i_id, QString::fromUtf8(it->psz_name ? it->psz_name : "")});
        }
    }
    libvlc_track_description_list_release(list);
    return tracks;
}

} // namespace

libvlc_media_t* VlcMedia::make(libvlc_instance_t* instance, const QString& mrlOrPath,
                               const QStringList& options)
{
    libvlc_media_t* media =
        isAddress(mrlOrPath)
            ? libvlc_media_new_location(instance, mrlOrPath.toUtf8().constData())
            : libvlc_media_new_path(
                  instance, QFile::encodeName(QFileInfo(mrlOrPath).absoluteFilePath()).constData());
    for (const QString& option : options) {
        if (media && !option.isEmpty()) {
            const QString mediaOption =
                option.startsWith(QLatin1Char(':')) ? option : QLatin1Char(':') + option;
            libvlc_media_add_option(media, mediaOption.toUtf8().constData());
        }
    }
    return media;
}

QList<Engine::Track> VlcMedia::audio(libvlc_media_player_t* player)
{
    return tracksOf(libvlc_audio_get_track_description(player));
}

QList<Engine::Track> VlcMedia::subtitles(libvlc_media_player_t* player)
{
    return tracksOf(libvlc_video_get_spu_description(player));
}

QSize VlcMedia::displaySize(libvlc_media_player_t* player)
{
    libvlc_media_t* media = libvlc_media_player_get_media(player);
    if (!media) {
        return {};
    }
    libvlc_media_track_t** tracks = nullptr;
    const unsigned count = libvlc_media_tracks_get(media, &tracks);
    QSize size;
    for (unsigned i = 0; i < count && size.isEmpty(); ++i) {
        const libvlc_media_track_t* track = tracks[i];
        if (track->i_type != libvlc_track_video || !track->video) {
            continue;
        }
        const libvlc_video_track_t& video = *track->video;
        size = QSize(static_cast<int>(video.i_width), static_cast<int>(video.i_height));
        // Pixels that are not square (a DVD's, say) widen or narrow the picture.
        if (video.i_sar_num > 0 && video.i_sar_den > 0 && video.i_sar_num != video.i_sar_den) {
            const double wide = static_cast<double>(video.i_sar_num) / video.i_sar_den;
            size.setWidth(qRound(size.width() * wide));
        }
    }
    libvlc_media_tracks_release(tracks, count);
    libvlc_media_release(media);
    return size;
}

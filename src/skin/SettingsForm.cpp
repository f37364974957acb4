#include "skin/SettingsForm.h"

#include "util/SupportedFiles.h"

namespace {

int optionFor(qint32 value, int count)
{
    return value >= 0 && value < count ? static_cast<int>(value) : -1;
}

qint16 checkState(bool checked)
{
    return checked ? 1 : 0;
}

} // namespace

SettingsForm SettingsForm::loadSettingsControls(const Settings& settings)
{
    SettingsForm form;
    form.openOption = optionFor(settings.UseNewPlayer, 2);
    form.launchFiles = settings.LaunchFullscreen != 0;
    form.alwaysOnTop = settings.AlwaysOnTop != 0;
    form.keepHistory = settings.KeepHistory != 0;
    form.rememberLastPos = settings.RememberLastPos != 0;
    form.rememberLastSize = settings.RememberLastSize != 0;
    form.showInTray = settings.ShowInTray != 0;
    form.disableScreenSaver = settings.DisableScreenSaver != 0;
    form.titleOption = optionFor(settings.TitleBarMode, 3);
    for (std::size_t i = 0; i < form.associations.size(); ++i) {
        form.associations[i] = settings.Associations[i] != 0;
    }
    form.playlistPosition = optionFor(settings.PlaylistPosition, 5);
    return form;
}

void SettingsForm::saveSettingsControls(const SettingsForm& form, Settings& settings)
{
    if (form.openOption == 0 || form.openOption == 1) {
        settings.UseNewPlayer = static_cast<qint16>(form.openOption);
    }
    settings.LaunchFullscreen = checkState(form.launchFiles);
    if (form.titleOption >= 0 && form.titleOption <= 2) {
        settings.TitleBarMode = static_cast<qint16>(form.titleOption);
    }
    settings.AlwaysOnTop = checkState(form.alwaysOnTop);
    settings.KeepHistory = checkState(form.keepHistory);
    settings.RememberLastPos = checkState(form.rememberLastPos);
    settings.RememberLastSize = checkState(form.rememberLastSize);
    settings.ShowInTray = checkState(form.showInTray);
    settings.DisableScreenSaver = checkState(form.disableScreenSaver);
    for (std::size_t i = 0; i < form.associations.size(); ++i) {
        settings.Associations[i] = form.associations[i] ? -1 : 0;
    }
    if (form.playlistPosition >= 0 && form.playlistPosition <= 4) {
        settings.PlaylistPosition = form.playlistPosition;
    }
}

const QStringList& SettingsForm::associationCaptions()
{
    static const QStringList captions = {
        QStringLiteral("Audio File (*.wav)"),
        QStringLiteral("Flash Video File (*.flv)"),
        QStringLiteral("Matroska Audio File (*.mka)"),
        QStringLiteral("Matroska Media File (*.mkv)"),
        QStringLiteral("Mp3 Format Sound(*.mp3)"),
        QStringLiteral("MPEG Media File (*.mpg)"),
        QStringLiteral("MPEG Media File (*.mpe)"),
        QStringLiteral("MPEG Media File (*.mpeg)"),
        QStringLiteral("MPEG4 Audio File (*.aac)"),
        QStringLiteral("MPEG4 Media File (*.mp4)"),
        QStringLiteral("MPEG4 Media File (*.m4v)"),
        QStringLiteral("MPEG4 Audio File (*.m4a)"),
        QStringLiteral("OGG Media File (*.ogm)"),
        QStringLiteral("OGG Vorbis Audio File (*.ogg)"),
        QStringLiteral("QuickTime File (*.mov)"),
        QStringLiteral("QuickTime File (*.hdmov)"),
        QStringLiteral("QuickTime File (*.qt)"),
        QStringLiteral("QuickTime File (*.3gp)"),
        QStringLiteral("QuickTime File (*.3gpp)"),
        QStringLiteral("QuickTime File (*.3g2)"),
        QStringLiteral("Video File (*.avi)"),
        QStringLiteral("Windows Audio File (*.wma)"),
        QStringLiteral("Windows Media File (*.wmv)"),
        QStringLiteral("Windows Media File (*.asf)"),
    };
    return captions;
}

SettingsForm::Ticks SettingsForm::audioPreset()
{
    static const QStringList audio = {
        QStringLiteral("wav"), QStringLiteral("mka"), QStringLiteral("mp3"), QStringLiteral("aac"),
        QStringLiteral("m4a"), QStringLiteral("ogg"), QStringLiteral("wma")};
    Ticks ticks{};
    const QStringList& extensions = SupportedExtensions();
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        ticks[i] = audio.contains(extensions[static_cast<qsizetype>(i)]);
    }
    return ticks;
}

SettingsForm::Ticks SettingsForm::videoPreset()
{
    Ticks ticks = audioPreset();
    for (bool& tick : ticks) {
        tick = !tick;
    }
    return ticks;
}

#pragma once

#include "settings/Settings.h"

#include <QStringList>
#include <array>

// What the Options dialog's controls show, apart from the widgets: -1 in an option group
// selects none of its buttons.
struct SettingsForm
{
    using Ticks = std::array<bool, Settings::AssociationCount>;

    int openOption = -1;       // SSOUseSame 0, SSOUseNew 1
    int titleOption = -1;      // SSODisplayFile 0, SSODisplayFull 1, SSODonT 2
    int playlistPosition = -1; // Left 0, Right 1, Top 2, Bottom 3, Fill 4
    bool launchFiles = false;
    bool alwaysOnTop = false;
    bool showInTray = false;
    bool rememberLastPos = false;
    bool rememberLastSize = false;
    bool keepHistory = false;
    bool disableScreenSaver = false;
    Ticks associations{};

    bool operator==(const SettingsForm&) const = default;

    // The controls for a record; a stored value no option names selects
    // nothing.
    static SettingsForm loadSettingsControls(const Settings& settings);
    // The record the controls ask for. An option group with nothing
    // selected leaves its value as it was.
    static void saveSettingsControls(const SettingsForm& form, Settings& settings);

    // The list's captions, in SupportedExtensions order.
    static const QStringList& associationCaptions();
    // "Audio Files" ticks the audio extensions and nothing else; "Video Files" the others.
    static Ticks audioPreset();
    static Ticks videoPreset();
};

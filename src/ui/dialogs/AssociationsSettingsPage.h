#pragma once

#include "settings/Settings.h"

#include <QWidget>

class FileAssociations;
class QListWidget;

// The "Assocciations" page of the Options dialog: the extensions with the icon of whatever
// opens them now, ticked where Korvane should, and the captions of the four preset buttons the
// dialog paints. It lies over the whole dialog and leaves the mouse to the dialog wherever no
// control is.
class AssociationsSettingsPage : public QWidget
{
    Q_OBJECT
public:
    using Ticks = std::array<bool, Settings::AssociationCount>;

    explicit AssociationsSettingsPage(QWidget* parent = nullptr);

    // One item per extension, with its current handler's icon.
    void fillAssociationList(const FileAssociations& associations);
    void load(const Settings& settings);
    void save(Settings& settings) const;

    Ticks ticks() const;
    void setTicks(const Ticks& ticks);
    // "Audio Files" ticks the audio extensions and nothing else; "Video Files" the others.
    static Ticks audioPreset();
    static Ticks videoPreset();
    // The list's captions, in SupportedExtensions order.
    static const QStringList& captions();

    QListWidget* list() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QListWidget* m_list = nullptr;
};

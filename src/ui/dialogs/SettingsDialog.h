#pragma once

#include "settings/SettingsStore.h"
#include "skin/SettingsLayout.h"
#include "ui/frame/SkinnedWindow.h"

#include <QDialog>
#include <functional>
#include <memory>

class AssociationsSettingsPage;
class FileAssociations;
class PlayerSettingsPage;
class SnapShotSettingsPage;
class QtUserMessages;
class QLabel;
class SkinImages;
class UserMessages;

// The skinned, borderless, modal "Options" dialog. It reads the settings from their file when
// it opens (the player then applies them), hands the edited record to the store on "Apply" and
// "OK" (the player applies what changed) and applies each association as its item is saved.
class SettingsDialog : public QDialog, public SkinnedWindow
{
    Q_OBJECT
public:
    using PlacementSource = std::function<WindowPlacement()>;

    SettingsDialog(SettingsStore& settings, FileAssociations& associations,
                   const SkinImages& images, PlacementSource placement, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    SettingsPage page() const { return m_page; }
    PlayerSettingsPage& playerPage() const { return *m_player; }
    AssociationsSettingsPage& associationsPage() const { return *m_associationsPage; }
    SnapShotSettingsPage& snapShotPage() const { return *m_snapShotPage; }
    QLabel* snapShotLabel() const { return m_snapShotLabel; }

    void loadSettingsControls();
    // False when some part could not be saved; the user is told which, and the controls keep
    // their values.
    bool saveSettingsControls();
    // Where a failed save is told; message boxes over the dialog when none is set.
    void setMessages(UserMessages* messages) { m_messages = messages; }
    // A page switch: repaint, then show the chosen page and hide the others.
    void showSettingsPage(SettingsPage page);
    // The action of a region, as a click on it runs it.
    void runAction(SettingsAction action);

protected:
    bool event(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::vector<SkinPiece> skinPieces() const override;
    void skinClicked(int region) override;

private:
    QLabel* addLabel(const QString& caption, QPoint at, bool takesClicks = false);

    SettingsStore& m_settings;
    FileAssociations& m_associations;
    const SkinImages& m_images;
    PlacementSource m_placement;
    UserMessages* m_messages = nullptr;
    std::unique_ptr<QtUserMessages> m_ownMessages;
    SettingsPage m_page = SettingsPage::Player;
    PlayerSettingsPage* m_player = nullptr;
    AssociationsSettingsPage* m_associationsPage = nullptr;
    SnapShotSettingsPage* m_snapShotPage = nullptr;
    QLabel* m_snapShotLabel = nullptr;
};

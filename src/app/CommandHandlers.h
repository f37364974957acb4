#pragma once

#include "commands/Command.h"
#include "commands/CommandStates.h"
#include "ui/dialogs/AboutBox.h"

#include <QObject>
#include <QPoint>
#include <QUrl>
#include <functional>
#include <memory>

class ClassicPopups;
class CommandRegistry;
class FileAssociations;
class MainWindow;
class PlaybackSession;
class Playlist;
class PlaylistModel;
class RecentHistory;
class SettingsDialog;
class SettingsStore;
class UserMessages;

// The handlers of the commands that do more than one call, bound to their actions by
// CommandBindings, and the commands' changing states, kept in step with what the session and the
// playlist report. The dialogs that commands open (About, Options) run modally from here.
class CommandHandlers : public QObject
{
    Q_OBJECT
public:
    using UrlOpener = std::function<void(const QUrl&)>;

    CommandHandlers(CommandRegistry& registry, MainWindow& window, PlaybackSession& session,
                    Playlist& playlist, RecentHistory& history, SettingsStore& settings,
                    UserMessages& messages, FileAssociations& associations,
                    QObject* parent = nullptr);
    ~CommandHandlers() override;

    ClassicPopups& popups() const { return *m_popups; }

    // Web pages and the help page open through this; tests record instead.
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // Draws the About box's skin pieces.
    void setAboutPainter(AboutBox::PiecePainter painter) { m_aboutPainter = std::move(painter); }
    QString helpPagePath() const;

    void popupPlayMenu(QPoint globalPosition);
    void popupPlayListMenu(QPoint globalPosition);
    void popupFileMenu(QPoint globalPosition);

    // The menu bar's, the keys' and the buttons' Play/Pause and Stop also move the menu bar's
    // enabling; the popups' leave it to the play state.
    void playPause();
    void stop();
    // Switches full screen off as well, so the keys a user found it by also bring the window back.
    void toggleFullScreen();
    // From the menu bar the first file to land is selected when nothing is.
    void addFiles(bool selectFirst);
    void playHistory(int slot);
    // A radio of the menu bar, or of a popup, which checks only the popup's own item.
    void choose(Command command);
    void chooseInPopup(Command command);
    void showAbout();
    // The window leaves the topmost band while the dialog runs; closing it applies the
    // settings to the window again.
    void showOptions();
    void openHelp();
    void showMediaInfo();

signals:
    // The Options dialog is open and about to run; tests drive it from here.
    void optionsShown(SettingsDialog* dialog);
    // The About box is open; tests drive it from here.
    void aboutShown(AboutBox* box);

private:
    void runChoice(Command command, bool inPopup);
    void apply(const MenuEnabling::Event& event);
    void refresh();
    void followModes();
    void showHistoryItem(int slot);
    void connectParts();
    void connectPopups();

    CommandRegistry& m_registry;
    MainWindow& m_window;
    PlaybackSession& m_session;
    Playlist& m_playlist;
    PlaylistModel& m_model;
    RecentHistory& m_history;
    SettingsStore& m_settings;
    UserMessages& m_messages;
    FileAssociations& m_associations;
    std::unique_ptr<ClassicPopups> m_popups;
    CommandStates::View m_view;
    UrlOpener m_openUrl;
    AboutBox::PiecePainter m_aboutPainter;
    // A popup's mode item checks only the popup; the menu bar's radios stay as they were.
    bool m_popupChoice = false;
    bool m_selectFirstOnAdd = false;
};

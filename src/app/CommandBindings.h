#pragma once

#include "commands/MenuCommand.h"
#include "commands/MenuEnabling.h"
#include "ui/dialogs/AboutBox.h"

#include <QObject>
#include <QPoint>
#include <QUrl>
#include <functional>
#include <memory>

class ActionRegistry;
class ClassicPopups;
class MainMenuBar;
class MainWindow;
class PlaybackSession;
class Playlist;
class PlaylistModel;
class RecentHistory;
class SettingsStore;

// Binds every menu command to its call: the main menu's keys and the classic popups' items,
// dispatched to the session, the playlist, the history and the window. It also keeps the
// menus' enabling and checks in step with what those report.
class CommandBindings : public QObject
{
    Q_OBJECT
public:
    using UrlOpener = std::function<void(const QUrl&)>;

    CommandBindings(MainWindow& window, PlaybackSession& session, Playlist& playlist,
                    PlaylistModel& model, RecentHistory& history, SettingsStore& settings,
                    QObject* parent = nullptr);
    ~CommandBindings() override;

    ActionRegistry& actions() const { return *m_actions; }
    ClassicPopups& popups() const { return *m_popups; }
    MainMenuBar* menuBar() const { return m_menuBar; }
    const MenuEnabling& enabling() const { return m_enabling; }

    // A main-menu key, as a click or its shortcut delivers it.
    void dispatchKey(const QString& key);
    // A classic popup item, by its control name.
    void dispatchClassic(const QString& name);

    // Web pages and the help page open through this; tests record instead.
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // Draws the About box's skin pieces.
    void setAboutPainter(AboutBox::PiecePainter painter) { m_aboutPainter = std::move(painter); }
    QString helpPagePath() const;

    void popupPlayMenu(QPoint globalPosition);
    void popupPlayListMenu(QPoint globalPosition);
    void popupFileMenu(QPoint globalPosition);

signals:
    // "Options": the settings dialog is wanted (the window is out of the topmost band).
    void optionsRequested();
    // The About box is open; tests drive it from here.
    void aboutShown(AboutBox* box);

private:
    void run(const MenuDispatch& dispatch);
    void apply(const MenuEnabling::Event& event);
    void syncModeChecks();
    void showHistoryItem(int slot);
    void playPause(bool fromMainMenu);
    void changeSpeed(MenuCommand command);
    void showAbout();
    void openHelp();
    void connectParts();

    MainWindow& m_window;
    PlaybackSession& m_session;
    Playlist& m_playlist;
    PlaylistModel& m_model;
    RecentHistory& m_history;
    SettingsStore& m_settings;
    std::unique_ptr<ActionRegistry> m_actions;
    std::unique_ptr<ClassicPopups> m_popups;
    MainMenuBar* m_menuBar = nullptr;
    MenuEnabling m_enabling;
    UrlOpener m_openUrl;
    AboutBox::PiecePainter m_aboutPainter;
    // A classic mode item checks only its own menu; the main menu's radios stay as they were.
    bool m_classicChoice = false;
    bool m_selectFirstOnAdd = false;
};

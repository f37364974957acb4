// The drive menus over the real window and its menus, with drives a test lays out.
#include "app/CommandBindings.h"
#include "app/CommandHandlers.h"
#include "app/DiscMenus.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "mediainfo/MediaProber.h"
#include "playback/DvdPlayback.h"
#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playlist/FakeFileChooser.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "system/FakeDesktopIntegration.h"
#include "system/FakeDriveProvider.h"
#include "system/FakePowerControl.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "system/RecordingUserMessages.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ClassicPopups.h"
#include "ui/menus/MainMenuBar.h"
#include "util/ToolPaths.h"

#include <QApplication>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

class NoProber : public MediaProber
{
public:
    bool probe(const QString&, ProbeResult&) override { return false; }
};

class DvdMenuTest : public ::testing::Test
{
protected:
    DvdMenuTest()
    {
        drives.drives = {{"/dev/sr0", false, {}}, {"/dev/sr1", true, "MOVIE"}};
        window.installCommands(registry);
        CommandBindings::bindCommands(registry, commands, session, playlist, window);
        CommandBindings::bindDiscs(registry, dvd, commands.popups(), window);
        window.show();
    }
    ~DvdMenuTest() override
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }

    QAction* mainItem(int i) const { return registry.action(CommandTable::dvdDrive(i)); }

    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    FakeUserStore store;
    RecentHistory history{store};
    PlaylistModel model;
    NoProber prober;
    RecordingUserMessages messages;
    FakeFileChooser chooser;
    OpenDialog dialog{chooser};
    Playlist playlist{model, prober, messages, dialog};
    PlaybackSession session{settings, model, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
    CommandRegistry registry;
    MainWindow window{settings};
    FakeDesktopIntegration desktop;
    FileAssociations associations{store, desktop, "/opt/korvane/", "/opt/korvane/korvane"};
    CommandHandlers commands{registry, window,   session,  playlist,
                             history,  settings, messages, associations};
    FakeDriveProvider drives;
    DvdPlayback dvd{drives, session, model, messages, korvane::programFolder()};
    DiscMenus menus{dvd, registry};
};

} // namespace

TEST_F(DvdMenuTest, ButtonOpensTheDriveMenuWithTheDrivesAsTheyAreNow)
{
    emit window.regionClicked(SkinRegion::Dvd);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu, window.findChild<MainMenuBar*>()->submenu(MenuId::OpenDvd));
    EXPECT_EQ(menu->pos(), window.mapToGlobal(QPoint(55, window.height() - 44)));

    const struct
    {
        QString text;
        bool visible;
        bool enabled;
    } expected[] = {
        {"<Please insert a DVD> (/dev/sr0)", true, true},
        {"MOVIE (/dev/sr1)", true, true},
        {"", false, false},
        {"", false, false},
        {"", false, false},
        {"", false, false},
    };
    for (int i = 0; i < 6; ++i) {
        ASSERT_NE(mainItem(i), nullptr) << i;
        EXPECT_EQ(mainItem(i)->text(), expected[i].text) << i;
        EXPECT_EQ(mainItem(i)->isVisible(), expected[i].visible) << i;
        if (expected[i].visible) {
            EXPECT_EQ(mainItem(i)->isEnabled(), expected[i].enabled) << i;
        }
    }

    // A main-menu drive item plays its drive, like the tray's list.
    mainItem(1)->trigger();
    EXPECT_EQ(session.currentFile(), "/dev/sr1");
    EXPECT_TRUE(dvd.isStarting());
}

TEST_F(DvdMenuTest, TrayListFollowsTheDrives)
{
    QMenu* tray = commands.popups().menu(MenuId::PopupOpenDvd);
    ASSERT_NE(tray, nullptr);
    emit tray->aboutToShow();
    const auto shown = [tray] {
        QStringList texts;
        for (QAction* action : tray->actions()) {
            if (action->isVisible()) {
                texts << action->text();
            }
        }
        return texts;
    };
    EXPECT_EQ(shown(), QStringList({"<Please insert a DVD> (/dev/sr0)", "MOVIE (/dev/sr1)"}));
    tray->actions()[1]->trigger();
    EXPECT_EQ(session.currentFile(), "/dev/sr1");

    // The drives go: one entry saying so, and choosing it does nothing.
    drives.drives.clear();
    emit tray->aboutToShow();
    EXPECT_EQ(shown(), QStringList({"<No DVD drives were found>"}));
    EXPECT_EQ(mainItem(0)->text(), "<No DVD drives were found>");
    EXPECT_FALSE(mainItem(0)->isEnabled());
    EXPECT_FALSE(mainItem(1)->isVisible());
    const QString before = session.currentFile();
    tray->actions()[0]->trigger();
    EXPECT_EQ(session.currentFile(), before);
}

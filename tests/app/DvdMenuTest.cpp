// The DVD button's drive menu over the real window, with drives a test lays out.
#include "app/DesktopWiring.h"
#include "app/WindowBindings.h"
#include "mediainfo/MediaProber.h"
#include "playback/DvdPlayback.h"
#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playlist/FakeFileChooser.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "settings/SettingsStore.h"
#include "system/FakeDriveProvider.h"
#include "system/FakePowerControl.h"
#include "system/RecordingUserMessages.h"
#include "ui/MainWindow.h"

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
        auto fake = std::make_unique<FakeDriveProvider>();
        drives = fake.get();
        fake->drives = {{"/dev/sr0", false, {}}, {"/dev/sr1", true, "MOVIE"}};
        wiring = std::make_unique<DesktopWiring>(window, bindings, session, playlist, settings,
                                                 messages, std::move(fake));
        window.show();
    }
    ~DvdMenuTest() override
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }

    QMenu* openMenu()
    {
        emit bindings.dvdRequested();
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    }

    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel model;
    NoProber prober;
    RecordingUserMessages messages;
    FakeFileChooser chooser;
    OpenDialog dialog{chooser};
    Playlist playlist{model, prober, messages, dialog};
    PlaybackSession session{settings, model, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
    MainWindow window{settings};
    WindowBindings bindings{window, session, playlist, model, messages};
    FakeDriveProvider* drives = nullptr;
    std::unique_ptr<DesktopWiring> wiring;
};

} // namespace

TEST_F(DvdMenuTest, OpensAtTheButtonWithTheDrivesAsTheyAreNow)
{
    QMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "<Please insert a DVD> (/dev/sr0)");
    EXPECT_EQ(actions[1]->text(), "MOVIE (/dev/sr1)");
    EXPECT_TRUE(actions[1]->isEnabled());
    EXPECT_EQ(menu->pos(), window.mapToGlobal(QPoint(55, window.height() - 44)));

    actions[1]->trigger();
    EXPECT_EQ(session.CurrentFile(), "/dev/sr1");
    EXPECT_TRUE(wiring->dvd().isStarting());
}

TEST_F(DvdMenuTest, NoDriveGivesOneDisabledEntry)
{
    drives->drives.clear();
    QMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "<No DVD drives were found>");
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
}

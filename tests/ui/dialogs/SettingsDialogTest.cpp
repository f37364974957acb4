#include "ui/dialogs/SettingsDialog.h"

#include "settings/ConfigFile.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTestSupport.h"
#include "skin/SettingsForm.h"
#include "skin/SkinImages.h"
#include "system/FakeDesktopIntegration.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "ui/dialogs/AssociationsSettingsPage.h"
#include "ui/dialogs/PlayerSettingsPage.h"
#include "util/SupportedFiles.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class SettingsDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_store.setConfigPath(m_folder.filePath("Config.cfg"));
        m_images.loadSkinImages(KORVANE_BIN_DIR "/");
    }
    // The file the dialog will read when it opens.
    void store(const std::function<void(Settings&)>& change)
    {
        Settings settings = defaultSettings(settingstest::environment());
        change(settings);
        ASSERT_TRUE(ConfigFile::write(m_store.configPath(), settings));
    }
    Settings stored() const
    {
        return ConfigFile::load(m_store.configPath(), settingstest::environment()).settings;
    }
    std::unique_ptr<SettingsDialog> open()
    {
        auto dialog = std::make_unique<SettingsDialog>(m_store, m_associations, m_images,
                                                       [] { return WindowPlacement{}; });
        dialog->show();
        return dialog;
    }
    static void click(SettingsDialog& dialog, QPoint at)
    {
        QTest::mouseMove(&dialog, at);
        QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, at);
    }

    QTemporaryDir m_folder;
    SettingsStore m_store{settingstest::environment()};
    FakeUserStore m_userStore;
    FakeDesktopIntegration m_desktop;
    FileAssociations m_associations{m_userStore, m_desktop, QStringLiteral(KORVANE_BIN_DIR "/"),
                                    QStringLiteral("/opt/korvane/korvane")};
    SkinImages m_images;
};

using Field = qint16 Settings::*;
using Control = QCheckBox* PlayerSettingsPage::*;

struct CheckCase
{
    const char* name;
    Field field;
    Control control;
};

const CheckCase kChecks[] = {
    {"LaunchFullscreen", &Settings::LaunchFullscreen, &PlayerSettingsPage::SSCLaunchFiles},
    {"AlwaysOnTop", &Settings::AlwaysOnTop, &PlayerSettingsPage::SSCAlwaysOnTop},
    {"KeepHistory", &Settings::KeepHistory, &PlayerSettingsPage::SSCKeepHistory},
    {"RememberLastPos", &Settings::RememberLastPos, &PlayerSettingsPage::SSCRememberLastPos},
    {"RememberLastSize", &Settings::RememberLastSize, &PlayerSettingsPage::SSCRememberLastSize},
    {"ShowInTray", &Settings::ShowInTray, &PlayerSettingsPage::SSCShowIn},
    {"DisableScreenSaver", &Settings::DisableScreenSaver,
     &PlayerSettingsPage::SSCDisableScreenSaver},
};

class SettingsDialogCheck : public SettingsDialogTest, public testing::WithParamInterface<CheckCase>
{};

} // namespace

TEST_P(SettingsDialogCheck, LoadsAndSavesItsSetting)
{
    const CheckCase& c = GetParam();
    // Any non-zero value is on; saved, the box writes 1.
    store([&](Settings& s) {
        for (const CheckCase& other : kChecks) {
            s.*other.field = 0;
        }
        s.*c.field = -1;
    });
    auto dialog = open();
    for (const CheckCase& other : kChecks) {
        EXPECT_EQ((dialog->playerPage().*other.control)->isChecked(), other.field == c.field)
            << other.name;
    }
    dialog->saveSettingsControls();
    EXPECT_EQ(stored().*c.field, 1);
    (dialog->playerPage().*c.control)->setChecked(false);
    dialog->saveSettingsControls();
    EXPECT_EQ(stored().*c.field, 0);
    EXPECT_EQ(m_store.settings().*c.field, 0);
}

INSTANTIATE_TEST_SUITE_P(Controls, SettingsDialogCheck, testing::ValuesIn(kChecks),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

namespace {

using Option = QRadioButton* PlayerSettingsPage::*;

struct OptionCase
{
    const char* name;
    int which; // 0 UseNewPlayer, 1 TitleBarMode, 2 PlaylistPosition
    qint32 value;
    Option control; // nullptr: none selected
};

const OptionCase kOptions[] = {
    {"UseSame", 0, 0, &PlayerSettingsPage::SSOUseSame},
    {"UseNew", 0, 1, &PlayerSettingsPage::SSOUseNew},
    {"UseOther", 0, 5, nullptr},
    {"FileName", 1, 0, &PlayerSettingsPage::SSODisplayFile},
    {"FullPath", 1, 1, &PlayerSettingsPage::SSODisplayFull},
    {"NoFileName", 1, 2, &PlayerSettingsPage::SSODonT},
    {"TitleBarMode7", 1, 7, nullptr},
    {"Left", 2, 0, &PlayerSettingsPage::SSOptLeft},
    {"Right", 2, 1, &PlayerSettingsPage::SSOptRIGHT},
    {"Top", 2, 2, &PlayerSettingsPage::SSOptTop},
    {"Bottom", 2, 3, &PlayerSettingsPage::SSOptBottom},
    {"Fill", 2, 4, &PlayerSettingsPage::SSOptFill},
    {"PositionMinus1", 2, -1, nullptr},
};

qint32 valueOf(const Settings& s, int which)
{
    return which == 0 ? s.UseNewPlayer : which == 1 ? s.TitleBarMode : s.PlaylistPosition;
}

class SettingsDialogOption : public SettingsDialogTest,
                             public testing::WithParamInterface<OptionCase>
{};

} // namespace

TEST_P(SettingsDialogOption, SelectsItsButtonAndSavesItsValue)
{
    const OptionCase& c = GetParam();
    store([&](Settings& s) {
        if (c.which == 0) {
            s.UseNewPlayer = static_cast<qint16>(c.value);
        } else if (c.which == 1) {
            s.TitleBarMode = static_cast<qint16>(c.value);
        } else {
            s.PlaylistPosition = c.value;
        }
    });
    auto dialog = open();
    for (const OptionCase& other : kOptions) {
        if (other.which == c.which && other.control != nullptr) {
            EXPECT_EQ((dialog->playerPage().*other.control)->isChecked(),
                      other.control == c.control)
                << other.name;
        }
    }
    // Saving keeps a value no option names.
    dialog->saveSettingsControls();
    EXPECT_EQ(valueOf(stored(), c.which), c.value);
    EXPECT_EQ(valueOf(m_store.settings(), c.which), c.value);
}

INSTANTIATE_TEST_SUITE_P(Options, SettingsDialogOption, testing::ValuesIn(kOptions),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(SettingsDialogTest, ChoosingAnOptionSavesIt)
{
    store([](Settings& s) { s.PlaylistPosition = 0; });
    auto dialog = open();
    dialog->playerPage().SSOptRIGHT->click();
    dialog->playerPage().SSODonT->click();
    dialog->saveSettingsControls();
    EXPECT_EQ(stored().PlaylistPosition, 1);
    EXPECT_EQ(stored().TitleBarMode, 2);
}

TEST_F(SettingsDialogTest, ListShowsEveryExtensionTickedAsStored)
{
    store([](Settings& s) {
        s.Associations[3] = -1;
        s.Associations[23] = 1;
    });
    auto dialog = open();
    QListWidget* list = dialog->associationsPage().LstViewIcons;
    ASSERT_EQ(list->count(), 24);
    EXPECT_EQ(list->item(0)->text(), "Audio File (*.wav)");
    EXPECT_EQ(list->item(4)->text(), "Mp3 Format Sound(*.mp3)");
    EXPECT_EQ(list->item(23)->text(), "Windows Media File (*.asf)");
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(list->item(i)->checkState() == Qt::Checked, i == 3 || i == 23) << i;
        EXPECT_FALSE(list->item(i)->icon().isNull()) << i;
    }
    EXPECT_EQ(list->viewMode(), QListView::ListMode);
}

TEST_F(SettingsDialogTest, SavingAppliesEachTickedAssociation)
{
    store([](Settings&) {});
    auto dialog = open();
    QListWidget* list = dialog->associationsPage().LstViewIcons;
    list->item(3)->setCheckState(Qt::Checked);
    dialog->saveSettingsControls();
    EXPECT_EQ(stored().Associations[3], -1);
    EXPECT_EQ(m_userStore.readString(FileAssociations::kClassesRoot + QString(".mkv"), ""),
              "Korvane.mkv");
    EXPECT_EQ(m_desktop.defaults.value("video/x-matroska"), "korvane.desktop;");

    // Applied twice: written again, and associating again changes nothing.
    QFile::remove(m_store.configPath());
    const int desktopWrites = m_desktop.defaultWrites;
    dialog->saveSettingsControls();
    EXPECT_TRUE(QFile::exists(m_store.configPath()));
    EXPECT_EQ(m_desktop.defaultWrites, desktopWrites);

    list->item(3)->setCheckState(Qt::Unchecked);
    dialog->saveSettingsControls();
    EXPECT_EQ(stored().Associations[3], 0);
    EXPECT_FALSE(m_desktop.defaults.contains("video/x-matroska"));
}

TEST_F(SettingsDialogTest, PresetsOnlyChangeTheTicks)
{
    store([](Settings&) {});
    auto dialog = open();
    QListWidget* list = dialog->associationsPage().LstViewIcons;
    const auto ticked = [list] {
        QStringList names;
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->checkState() == Qt::Checked) {
                names.append(SupportedExtensions()[i]);
            }
        }
        return names;
    };
    const QStringList audio = {"wav", "mka", "mp3", "aac", "m4a", "ogg", "wma"};
    QStringList video = SupportedExtensions();
    for (const QString& ext : audio) {
        video.removeAll(ext);
    }
    const struct
    {
        SettingsAction action;
        QStringList expected;
    } steps[] = {
        {SettingsAction::SelectAll, SupportedExtensions()},
        {SettingsAction::AudioPreset, audio},
        {SettingsAction::VideoPreset, video},
        {SettingsAction::DeselectAll, {}},
    };
    for (const auto& step : steps) {
        dialog->runAction(step.action);
        EXPECT_EQ(ticked(), step.expected) << static_cast<int>(step.action);
    }
    EXPECT_EQ(stored().Associations, Settings{}.Associations);
}

TEST_F(SettingsDialogTest, TabsAndLabelsSwitchPages)
{
    store([](Settings&) {});
    auto dialog = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    PlayerSettingsPage& player = dialog->playerPage();
    QListWidget* list = dialog->associationsPage().LstViewIcons;
    EXPECT_EQ(dialog->page(), SettingsPage::Player);
    EXPECT_TRUE(player.SSFrame1->isVisible());
    EXPECT_EQ(list->pos(), QPoint(-400, -400));

    click(*dialog, {200, 50});
    EXPECT_EQ(dialog->page(), SettingsPage::Associations);
    EXPECT_FALSE(player.SSFrame1->isVisible());
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->geometry(), QRect(30, 90, 337, 285));

    // The painted SnapShot area is no button; its label is.
    click(*dialog, {280, 66});
    EXPECT_EQ(dialog->page(), SettingsPage::Associations);
    QTest::mouseClick(dialog->snapShotLabel(), Qt::LeftButton);
    EXPECT_EQ(dialog->page(), SettingsPage::SnapShot);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(player.SSFrame1->isVisible());

    click(*dialog, {50, 50});
    EXPECT_EQ(dialog->page(), SettingsPage::Player);
    EXPECT_TRUE(player.SSCDisableScreenSaver->isVisible());
    EXPECT_EQ(player.SSCDisableScreenSaver->pos(), QPoint(276, 358));
    // Where "Select All" stood on page 2 nothing answers now.
    dialog->associationsPage().setTicks({});
    click(*dialog, {420, 100});
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
}

TEST_F(SettingsDialogTest, ClickedButtonRunsOnReleaseOverIt)
{
    store([](Settings&) {});
    auto dialog = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    click(*dialog, {200, 50});
    const QPoint selectAll(420, 100);
    QTest::mousePress(dialog.get(), Qt::LeftButton, Qt::NoModifier, selectAll);
    EXPECT_EQ(dialog->buttonStates().state(SettingsRegion::SelectAll), ButtonState::Pressed);
    // Released outside every region: no action.
    QTest::mouseRelease(dialog.get(), Qt::LeftButton, Qt::NoModifier, {250, 300});
    EXPECT_EQ(dialog->associationsPage().LstViewIcons->item(5)->checkState(), Qt::Unchecked);
    click(*dialog, selectAll);
    EXPECT_EQ(dialog->associationsPage().LstViewIcons->item(5)->checkState(), Qt::Checked);
    EXPECT_EQ(dialog->buttonStates().state(SettingsRegion::SelectAll), ButtonState::Pressed);
}

TEST_F(SettingsDialogTest, EveryCloseHasThePlayerApplyItsSettings)
{
    const struct
    {
        const char* name;
        QPoint at;
        bool saved;
    } closes[] = {
        {"close button", {SettingsLayout::kWidth - 20, 10}, false},
        {"Cancle", {SettingsLayout::kWidth - 50, SettingsLayout::kHeight - 30}, false},
        {"OK", {SettingsLayout::kWidth - 120, SettingsLayout::kHeight - 30}, true},
    };
    for (const auto& close : closes) {
        store([](Settings& s) { s.ShowInTray = 0; });
        auto dialog = open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->playerPage().SSCShowIn->setChecked(true);
        QSignalSpy applied(&m_store, &SettingsStore::changed);
        click(*dialog, close.at);
        EXPECT_FALSE(dialog->isVisible()) << close.name;
        EXPECT_GE(applied.count(), 1) << close.name;
        EXPECT_EQ(m_store.showInTray(), close.saved) << close.name;
        EXPECT_EQ(stored().ShowInTray != 0, close.saved) << close.name;
    }
}

TEST_F(SettingsDialogTest, OpeningReadsTheFileAgain)
{
    store([](Settings& s) { s.PlayMode = 1; });
    m_store.load();
    m_store.setPlayMode(2);
    auto dialog = open();
    EXPECT_EQ(m_store.settings().PlayMode, 1);
}

#include "ui/dialogs/SettingsDialog.h"

#include "settings/ConfigFile.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsTestSupport.h"
#include "skin/SkinImages.h"
#include "system/FakeDesktopIntegration.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "system/RecordingUserMessages.h"
#include "ui/WindowWaits.h"
#include "ui/dialogs/AssociationsSettingsPage.h"
#include "ui/dialogs/PlayerSettingsPage.h"
#include "util/SupportedFiles.h"

#include <QAbstractButton>
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
    // The settings the player started with, on disk and in memory.
    void store(const std::function<void(Settings&)>& change)
    {
        Settings settings = defaultSettings(settingstest::environment());
        change(settings);
        ASSERT_TRUE(ConfigFile::write(m_store.configPath(), settings));
        m_store.load();
    }
    void writeFile(const QByteArray& bytes)
    {
        QFile file(m_store.configPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        m_store.load();
    }
    QByteArray storedBytes() const
    {
        QFile file(m_store.configPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

template <typename T> T* control(const QWidget& page, const char* name)
{
    T* found = page.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

using Field = bool Settings::*;

struct CheckCase
{
    const char* name;
    Field field;
    int line; // in Config.cfg, from 0
};

const CheckCase kChecks[] = {
    {"launchFullscreen", &Settings::launchFullscreen, 7},
    {"alwaysOnTop", &Settings::alwaysOnTop, 4},
    {"keepHistory", &Settings::keepHistory, 6},
    {"rememberLastPos", &Settings::rememberLastPos, 8},
    {"rememberLastSize", &Settings::rememberLastSize, 9},
    {"showInTray", &Settings::showInTray, 12},
    {"disableScreenSaver", &Settings::disableScreenSaver, 11},
};

class SettingsDialogCheck : public SettingsDialogTest, public testing::WithParamInterface<CheckCase>
{};

} // namespace

TEST_P(SettingsDialogCheck, LoadsAndSavesItsSetting)
{
    const CheckCase& c = GetParam();
    // Any non-zero number is on: a box left checked keeps the number, a box switched writes
    // 0 or 1.
    Settings none = defaultSettings(settingstest::environment());
    for (const CheckCase& other : kChecks) {
        none.*other.field = false;
    }
    QList<QByteArray> lines = settingstest::splitLines(ConfigFile::format(none));
    lines[c.line] = "-1 \r";
    writeFile(lines.join('\n') + '\n');
    const auto line = [this, &c] {
        return settingstest::splitLines(storedBytes())[c.line];
    };

    auto dialog = open();
    for (const CheckCase& other : kChecks) {
        EXPECT_EQ(control<QCheckBox>(dialog->playerPage(), other.name)->isChecked(),
                  other.field == c.field)
            << other.name;
    }
    dialog->saveSettingsControls();
    EXPECT_EQ(line(), "-1 \r");
    QCheckBox* box = control<QCheckBox>(dialog->playerPage(), c.name);
    box->setChecked(false);
    dialog->saveSettingsControls();
    EXPECT_EQ(line(), " 0 \r");
    EXPECT_FALSE(m_store.settings().*c.field);
    box->setChecked(true);
    dialog->saveSettingsControls();
    EXPECT_EQ(line(), " 1 \r");
    EXPECT_TRUE(m_store.settings().*c.field);
}

INSTANTIATE_TEST_SUITE_P(Controls, SettingsDialogCheck, testing::ValuesIn(kChecks),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

namespace {

struct OptionCase
{
    const char* name;
    int which; // 0 open mode, 1 title bar mode, 2 playlist position
    qint32 value;
    const char* control; // nullptr: none selected
};

const OptionCase kOptions[] = {
    {"UseSame", 0, 0, "useSamePlayer"},  {"UseNew", 0, 1, "useNewPlayer"},
    {"UseOther", 0, 5, nullptr},         {"FileName", 1, 0, "titleFileName"},
    {"FullPath", 1, 1, "titleFullPath"}, {"NoFileName", 1, 2, "titleNoFileName"},
    {"TitleBarMode7", 1, 7, nullptr},    {"Left", 2, 0, "positionLeft"},
    {"Right", 2, 1, "positionRight"},    {"Top", 2, 2, "positionTop"},
    {"Bottom", 2, 3, "positionBottom"},  {"Fill", 2, 4, "positionFill"},
    {"PositionMinus1", 2, -1, nullptr},
};

qint32 valueOf(const Settings& s, int which)
{
    return which == 0   ? static_cast<qint32>(s.openMode)
           : which == 1 ? static_cast<qint32>(s.titleBarMode)
                        : static_cast<qint32>(s.playlistPosition);
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
            s.openMode = static_cast<OpenMode>(c.value);
        } else if (c.which == 1) {
            s.titleBarMode = static_cast<TitleBarMode>(c.value);
        } else {
            s.playlistPosition = static_cast<PlaylistPosition>(c.value);
        }
    });
    auto dialog = open();
    for (const OptionCase& other : kOptions) {
        if (other.which == c.which && other.control != nullptr) {
            EXPECT_EQ(control<QRadioButton>(dialog->playerPage(), other.control)->isChecked(),
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
    store([](Settings& s) { s.playlistPosition = PlaylistPosition::Left; });
    auto dialog = open();
    QSignalSpy changed(&m_store, &SettingsStore::changed);
    control<QRadioButton>(dialog->playerPage(), "positionRight")->click();
    control<QRadioButton>(dialog->playerPage(), "titleNoFileName")->click();
    dialog->saveSettingsControls();
    EXPECT_EQ(stored().playlistPosition, PlaylistPosition::Right);
    EXPECT_EQ(stored().titleBarMode, TitleBarMode::ProductOnly);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<SettingsGroups>(),
              SettingsGroup::Playlist | SettingsGroup::Caption);
}

TEST_F(SettingsDialogTest, ListShowsEveryExtensionTickedAsStored)
{
    store([](Settings& s) {
        s.associations[3] = true;
        s.associations[23] = true;
    });
    auto dialog = open();
    QListWidget* list = dialog->associationsPage().list();
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
    QListWidget* list = dialog->associationsPage().list();
    list->item(3)->setCheckState(Qt::Checked);
    dialog->saveSettingsControls();
    EXPECT_TRUE(stored().associations[3]);
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
    EXPECT_FALSE(stored().associations[3]);
    EXPECT_FALSE(m_desktop.defaults.contains("video/x-matroska"));
}

TEST_F(SettingsDialogTest, PresetsOnlyChangeTheTicks)
{
    store([](Settings&) {});
    auto dialog = open();
    QListWidget* list = dialog->associationsPage().list();
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
    EXPECT_EQ(stored().associations, Settings{}.associations);
}

TEST_F(SettingsDialogTest, TabsAndLabelsSwitchPages)
{
    store([](Settings&) {});
    auto dialog = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kWindowWaitMs));
    PlayerSettingsPage& player = dialog->playerPage();
    QListWidget* list = dialog->associationsPage().list();
    EXPECT_EQ(dialog->page(), SettingsPage::Player);
    EXPECT_TRUE(player.isVisible());
    EXPECT_EQ(list->pos(), QPoint(-400, -400));

    click(*dialog, {200, 50});
    EXPECT_EQ(dialog->page(), SettingsPage::Associations);
    EXPECT_FALSE(player.isVisible());
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->geometry(), QRect(30, 90, 337, 285));

    // The painted SnapShot area is no button; its label is.
    click(*dialog, {280, 66});
    EXPECT_EQ(dialog->page(), SettingsPage::Associations);
    QTest::mouseClick(dialog->snapShotLabel(), Qt::LeftButton);
    EXPECT_EQ(dialog->page(), SettingsPage::SnapShot);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(player.isVisible());

    click(*dialog, {50, 50});
    EXPECT_EQ(dialog->page(), SettingsPage::Player);
    QCheckBox* screenSaver = control<QCheckBox>(player, "disableScreenSaver");
    EXPECT_TRUE(screenSaver->isVisible());
    EXPECT_EQ(screenSaver->mapTo(dialog.get(), QPoint()), QPoint(276, 358));
    // Where "Select All" stood on page 2 nothing answers now.
    dialog->associationsPage().setTicks({});
    click(*dialog, {420, 100});
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
}

TEST_F(SettingsDialogTest, ClickedButtonRunsOnReleaseOverIt)
{
    store([](Settings&) {});
    auto dialog = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kWindowWaitMs));
    click(*dialog, {200, 50});
    const QPoint selectAll(420, 100);
    QTest::mousePress(dialog.get(), Qt::LeftButton, Qt::NoModifier, selectAll);
    EXPECT_EQ(dialog->buttonStates().state(SettingsRegion::SelectAll), ButtonState::Pressed);
    // Released outside every region: no action.
    QTest::mouseRelease(dialog.get(), Qt::LeftButton, Qt::NoModifier, {250, 300});
    EXPECT_EQ(dialog->associationsPage().list()->item(5)->checkState(), Qt::Unchecked);
    click(*dialog, selectAll);
    EXPECT_EQ(dialog->associationsPage().list()->item(5)->checkState(), Qt::Checked);
    EXPECT_EQ(dialog->buttonStates().state(SettingsRegion::SelectAll), ButtonState::Pressed);
}

TEST_F(SettingsDialogTest, OnlyOkAppliesWhatChangedAndEveryCloseEnds)
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
        store([](Settings& s) { s.showInTray = false; });
        auto dialog = open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), kWindowWaitMs));
        control<QCheckBox>(dialog->playerPage(), "showInTray")->setChecked(true);
        QSignalSpy applied(&m_store, &SettingsStore::changed);
        click(*dialog, close.at);
        EXPECT_FALSE(dialog->isVisible()) << close.name;
        ASSERT_EQ(applied.size(), close.saved ? 1 : 0) << close.name;
        if (close.saved) {
            EXPECT_EQ(applied[0][0].value<SettingsGroups>(), SettingsGroup::Window);
        }
        EXPECT_EQ(m_store.showInTray(), close.saved) << close.name;
        EXPECT_EQ(stored().showInTray, close.saved) << close.name;
    }
}

TEST_F(SettingsDialogTest, PagesRoundTripEveryRecordTheyShow)
{
    // Pages alone, without the dialog: what one loads, the other saves unchanged, and a fresh
    // record takes exactly the shown values.
    Settings shown = defaultSettings(settingstest::environment());
    shown.openMode = OpenMode::NewPlayer;
    shown.titleBarMode = TitleBarMode::FileName;
    shown.playlistPosition = PlaylistPosition::Bottom;
    shown.launchFullscreen = true;
    shown.keepHistory = true;
    shown.disableScreenSaver = false;
    shown.associations[1] = true;
    shown.associations[22] = true;
    PlayerSettingsPage player;
    AssociationsSettingsPage associations;
    associations.fillAssociationList(m_associations);
    player.load(shown);
    associations.load(shown);

    Settings saved = defaultSettings(settingstest::environment());
    saved.snapshotPrefix = QStringLiteral("kept");
    player.save(saved);
    associations.save(saved);
    Settings expected = shown;
    expected.snapshotPrefix = QStringLiteral("kept"); // no page shows it
    EXPECT_EQ(saved, expected);
}

TEST_F(SettingsDialogTest, OpeningKeepsWhatWasChosenSinceTheLastSave)
{
    // A play mode from the menu and a window resized since the last save: opening the dialog
    // and pressing OK keeps both, and applying the record puts the window where it stands.
    store([](Settings& s) {
        s.playMode = PlayMode::Continuous;
        s.rememberLastSize = true;
        s.rememberLastPos = true;
    });
    m_store.setPlayMode(PlayMode::Shuffle);
    m_store.recordWindowSize({640, 480});
    const Settings before = m_store.settings();
    auto dialog = std::make_unique<SettingsDialog>(m_store, m_associations, m_images, [] {
        return WindowPlacement{{120, 90}, false, false};
    });
    dialog->show();
    EXPECT_EQ(m_store.settings().playMode, PlayMode::Shuffle);
    control<QCheckBox>(dialog->playerPage(), "showInTray")->setChecked(!before.showInTray);
    dialog->runAction(SettingsAction::SaveAndUnload);

    const Settings after = m_store.settings();
    EXPECT_EQ(after.playMode, PlayMode::Shuffle);
    EXPECT_EQ(after.windowWidth, before.windowWidth);
    EXPECT_EQ(after.windowHeight, before.windowHeight);
    EXPECT_EQ(m_store.toPixels(after.windowLeft, after.windowTop), QPoint(120, 90));
    EXPECT_EQ(stored().playMode, PlayMode::Shuffle);
    EXPECT_EQ(stored().windowWidth, before.windowWidth);
}

TEST_F(SettingsDialogTest, EveryCaptionShowsWhole)
{
    auto dialog = open();
    const QRect page = SettingsLayout::pageArea(SettingsLayout::kWidth, SettingsLayout::kHeight);
    for (const QAbstractButton* button : dialog->playerPage().findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty()) {
            continue;
        }
        const std::string name = button->text().toStdString();
        EXPECT_LE(button->sizeHint().width(), button->width()) << name;
        const QRect inDialog(button->mapTo(dialog.get(), QPoint()), button->size());
        EXPECT_LE(inDialog.right(), page.right()) << name;
        EXPECT_LE(inDialog.right(), button->parentWidget()->mapTo(dialog.get(), QPoint()).x() +
                                        button->parentWidget()->width())
            << name;
    }

    // Each preset caption keeps clear of its face's edges.
    const HitTable faces = SettingsLayout::hitRects(SettingsLayout::kWidth, SettingsLayout::kHeight,
                                                    SettingsPage::Associations);
    const struct
    {
        const char* caption;
        SettingsRegion face;
    } presets[] = {{"Select All", SettingsRegion::SelectAll},
                   {"Deselect All", SettingsRegion::DeselectAll},
                   {"Audio Files", SettingsRegion::AudioFiles},
                   {"Video Files", SettingsRegion::VideoFiles}};
    for (const auto& preset : presets) {
        const QLabel* label = dialog->findChild<QLabel*>(QString::fromLatin1(preset.caption));
        ASSERT_NE(label, nullptr) << preset.caption;
        const QRect face = faces[preset.face].adjusted(3, 0, -3, 0);
        EXPECT_TRUE(face.contains(label->geometry())) << preset.caption;
        EXPECT_LE(label->sizeHint().width(), label->width()) << preset.caption;
    }

    // The association list shows every name whole, without sideways scrolling.
    dialog->runAction(SettingsAction::ShowAssociations);
    auto* list = dialog->associationsPage().findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    QCoreApplication::processEvents();
    for (int i = 0; i < list->count(); ++i) {
        const QRect item = list->visualItemRect(list->item(i));
        const int needed = list->fontMetrics().horizontalAdvance(list->item(i)->text());
        EXPECT_LE(item.left() + needed, list->viewport()->width()) << i;
    }
}

TEST_F(SettingsDialogTest, OkThatCannotSaveSaysSoAndStaysOpenWithItsValues)
{
    store([](Settings&) {});
    auto dialog = open();
    RecordingUserMessages messages;
    dialog->setMessages(&messages);
    control<QCheckBox>(dialog->playerPage(), "alwaysOnTop")->setChecked(true);
    dialog->associationsPage().list()->item(3)->setCheckState(Qt::Checked);
    const QByteArray before = storedBytes();
    // The config folder's place is taken by a file.
    m_store.setConfigPath(m_folder.filePath("Config.cfg") + "/Config.cfg");

    dialog->runAction(SettingsAction::SaveAndUnload);

    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].title, "Options");
    EXPECT_TRUE(messages.messages[0].text.contains("settings file"))
        << messages.messages[0].text.toStdString();
    EXPECT_TRUE(control<QCheckBox>(dialog->playerPage(), "alwaysOnTop")->isChecked());
    EXPECT_EQ(dialog->associationsPage().list()->item(3)->checkState(), Qt::Checked);
    // The association went back, as the settings file still asks.
    EXPECT_FALSE(m_associations.isAssociated(".mkv", "Korvane.mkv"));
    EXPECT_FALSE(m_desktop.defaults.contains("video/x-matroska"));

    m_store.setConfigPath(m_folder.filePath("Config.cfg"));
    EXPECT_EQ(storedBytes(), before);
    dialog->runAction(SettingsAction::SaveAndUnload);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(stored().alwaysOnTop);
    EXPECT_TRUE(m_associations.isAssociated(".mkv", "Korvane.mkv"));
}

#include "settings/SettingsStore.h"

#include "settings/SettingsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { store.setConfigPath(dir.filePath("Korvane/Config.cfg")); }

    Settings written() const
    {
        QFile file(store.configPath());
        return file.open(QIODevice::ReadOnly) ? ConfigFile::parse(file.readAll()).value()
                                              : Settings{};
    }

    QByteArray readAll() const
    {
        QFile file(store.configPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    SettingsStore store{settingstest::environment()};
};

} // namespace

TEST_F(SettingsStoreTest, LoadAnnouncesEveryGroupAndPlayerChangesNothing)
{
    QSignalSpy changed(&store, &SettingsStore::changed);
    store.load();
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<SettingsGroups>(), AllSettingsGroups);
    EXPECT_EQ(store.settings(), defaultSettings(settingstest::environment()));

    store.setPlayMode(PlayMode::Shuffle);
    store.setRepeatMode(RepeatMode::NoRepeat);
    store.recordWindowSize(QSize(400, 300));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(store.settings().playMode, PlayMode::Shuffle);
    EXPECT_EQ(store.settings().windowWidth, 6000);
    EXPECT_EQ(store.settings().windowHeight, 4500);
}

namespace {

struct GroupCase
{
    const char* name;
    std::function<void(Settings&)> change;
    SettingsGroups groups; // empty: no signal at all
};

void PrintTo(const GroupCase& c, std::ostream* os)
{
    *os << c.name << " -> groups 0x" << std::hex << c.groups.toInt();
}

class SettingsStoreGroups : public SettingsStoreTest, public testing::WithParamInterface<GroupCase>
{};

const GroupCase kGroupCases[] = {
    {"Nothing", [](Settings&) {}, {}},
    {"AlwaysOnTop", [](Settings& s) { s.alwaysOnTop = true; }, SettingsGroup::Window},
    {"WindowHeight", [](Settings& s) { s.windowHeight += 15; }, SettingsGroup::Window},
    {"TitleBarMode", [](Settings& s) { s.titleBarMode = TitleBarMode::ProductOnly; },
     SettingsGroup::Caption},
    {"UnknownTitleBarMode", [](Settings& s) { s.titleBarMode = static_cast<TitleBarMode>(7); },
     SettingsGroup::Caption},
    {"PlaylistPosition", [](Settings& s) { s.playlistPosition = PlaylistPosition::Fill; },
     SettingsGroup::Playlist},
    {"RepeatMode", [](Settings& s) { s.repeatMode = RepeatMode::SingleRepeat; },
     SettingsGroup::Playback},
    {"SnapshotFormat", [](Settings& s) { s.snapshotFormat = SnapshotFormat::Png; },
     SettingsGroup::Engine},
    {"ScreenSaver", [](Settings& s) { s.disableScreenSaver = false; }, SettingsGroup::Engine},
    {"OneAssociation", [](Settings& s) { s.associations[23] = true; }, SettingsGroup::Associations},
    {"OpenMode", [](Settings& s) { s.openMode = OpenMode::NewPlayer; }, SettingsGroup::General},
    {"TrayAndPositionAndAssociation",
     [](Settings& s) {
         s.showInTray = true;
         s.playlistPosition = PlaylistPosition::Top;
         s.associations[0] = true;
     },
     SettingsGroup::Window | SettingsGroup::Playlist | SettingsGroup::Associations},
};

} // namespace

TEST_P(SettingsStoreGroups, ApplyAnnouncesOnceExactlyWhatChanged)
{
    const GroupCase& c = GetParam();
    store.load();
    QSignalSpy changed(&store, &SettingsStore::changed);
    Settings edited = store.settings();
    c.change(edited);
    store.apply(edited);
    EXPECT_EQ(store.settings(), edited);
    if (!c.groups) {
        EXPECT_EQ(changed.size(), 0);
        return;
    }
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].value<SettingsGroups>(), c.groups);
    // The same record again changes nothing.
    store.apply(edited);
    EXPECT_EQ(changed.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Changes, SettingsStoreGroups, testing::ValuesIn(kGroupCases),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(SettingsStoreTest, AFlagSwitchedOffAndOnAgainIsWrittenAsUsual)
{
    // Line 5, always on top, holds an unusual "on".
    QByteArray file = settingstest::defaultFileBytes();
    file.replace("English\r\n/home/ann/Desktop\r\n 1 \r\n 2 \r\n 0 ",
                 "English\r\n/home/ann/Desktop\r\n 1 \r\n 2 \r\n 9 ");
    QDir().mkpath(dir.filePath("Korvane"));
    QFile out(store.configPath());
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();
    store.load();
    ASSERT_TRUE(store.alwaysOnTop());
    ASSERT_TRUE(store.save({}));
    EXPECT_EQ(settingstest::splitLines(readAll())[4], " 9 \r");

    Settings edited = store.settings();
    edited.alwaysOnTop = false;
    store.apply(edited);
    edited = store.settings();
    edited.alwaysOnTop = true;
    store.apply(edited);
    ASSERT_TRUE(store.save({}));
    EXPECT_EQ(settingstest::splitLines(readAll())[4], " 1 \r");
}

TEST_F(SettingsStoreTest, WriteTakesThePositionOnlyFromALoadedNormalWindow)
{
    store.load();
    const Settings before = store.settings();
    const struct
    {
        bool maximized;
        bool loading;
        bool recorded;
    } cases[] = {{false, true, false}, {true, false, false}, {false, false, true}};
    for (const auto& c : cases) {
        ASSERT_TRUE(store.save({QPoint(100, 50), c.maximized, c.loading}));
        const Settings back = written();
        EXPECT_EQ(back.windowLeft, c.recorded ? 1500 : before.windowLeft)
            << "maximized " << c.maximized << ", loading " << c.loading;
        EXPECT_EQ(back.windowTop, c.recorded ? 750 : before.windowTop);
    }
}

TEST_F(SettingsStoreTest, TypedViewsReadTheStoredNumbers)
{
    const struct
    {
        qint16 stored;
        std::optional<TitleBarMode> mode;
    } cases[] = {{0, TitleBarMode::FileName},
                 {1, TitleBarMode::FullPath},
                 {2, TitleBarMode::ProductOnly},
                 {3, std::nullopt},
                 {-1, std::nullopt}};
    for (const auto& c : cases) {
        Settings record = store.settings();
        record.titleBarMode = static_cast<TitleBarMode>(c.stored);
        record.openMode = static_cast<OpenMode>(c.stored); // any mode but the first is "new"
        store.apply(record);
        EXPECT_EQ(store.titleBarMode(), c.mode) << c.stored;
        EXPECT_EQ(store.useNewPlayer(), c.stored != 0) << c.stored;
    }
}

TEST_F(SettingsStoreTest, TwipsBecomePixelsWithoutWrapping)
{
    const qint32 most = std::numeric_limits<qint32>::max();
    EXPECT_EQ(store.toPixels(1500, -750), QPoint(100, -50));
    EXPECT_EQ(store.toPixels(22, 23), QPoint(1, 2)); // 1.47 and 1.53
    EXPECT_EQ(store.toPixels(most, -most), QPoint(most / 15, -(most / 15)));
}

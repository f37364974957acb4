#include "settings/SettingsStore.h"

#include "settings/SettingsTestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
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

    QTemporaryDir dir;
    SettingsStore store{settingstest::environment()};
};

} // namespace

TEST_F(SettingsStoreTest, LoadAndApplyAnnounceTheRecordButPlayerChangesDoNot)
{
    QSignalSpy changed(&store, &SettingsStore::changed);
    store.load();
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(store.settings(), defaultSettings(settingstest::environment()));

    store.setPlayMode(2);
    store.setRepeatMode(0);
    store.recordWindowSize(QSize(400, 300));
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(store.settings().PlayMode, 2);
    EXPECT_EQ(store.settings().WindowWidth, 6000);
    EXPECT_EQ(store.settings().WindowHeight, 4500);

    Settings edited = store.settings();
    edited.ShowInTray = 1;
    store.apply(edited);
    EXPECT_EQ(changed.size(), 2);
    EXPECT_TRUE(store.showInTray());
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
        EXPECT_EQ(back.WindowLeft, c.recorded ? 1500 : before.WindowLeft)
            << "maximized " << c.maximized << ", loading " << c.loading;
        EXPECT_EQ(back.WindowTop, c.recorded ? 750 : before.WindowTop);
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
        record.TitleBarMode = c.stored;
        record.LaunchFullscreen = c.stored; // any number but 0 is on
        store.apply(record);
        EXPECT_EQ(store.titleBarMode(), c.mode) << c.stored;
        EXPECT_EQ(store.launchFullscreen(), c.stored != 0) << c.stored;
    }
}

TEST_F(SettingsStoreTest, TwipsBecomePixelsWithoutWrapping)
{
    const qint32 most = std::numeric_limits<qint32>::max();
    EXPECT_EQ(store.toPixels(1500, -750), QPoint(100, -50));
    EXPECT_EQ(store.toPixels(22, 23), QPoint(1, 2)); // 1.47 and 1.53
    EXPECT_EQ(store.toPixels(most, -most), QPoint(most / 15, -(most / 15)));
}

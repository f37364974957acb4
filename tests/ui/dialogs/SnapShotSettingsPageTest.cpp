#include "ui/dialogs/SnapShotSettingsPage.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

Settings stored()
{
    Settings settings;
    settings.snapshotPath = "/home/me/Pictures";
    settings.snapshotPrefix = "IMG_";
    settings.snapshotFormat = SnapshotFormat::Jpg;
    settings.snapshotPreview = true;
    return settings;
}

template <typename W> W* field(const SnapShotSettingsPage& page, const char* name)
{
    W* widget = page.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST(SnapShotSettingsPageTest, LoadsAndSavesTheFourSettings)
{
    SnapShotSettingsPage page;
    Settings settings = stored();
    settings.snapshotFormat = static_cast<SnapshotFormat>(7);
    page.load(settings);
    EXPECT_EQ(field<QLineEdit>(page, "snapshotPath")->text(), "/home/me/Pictures");
    EXPECT_EQ(field<QLineEdit>(page, "snapshotPrefix")->text(), "IMG_");
    EXPECT_TRUE(field<QRadioButton>(page, "snapshotPng")->isChecked())
        << "any value but JPG's takes PNG";
    EXPECT_TRUE(field<QCheckBox>(page, "snapshotPreview")->isChecked());

    Settings saved = settings;
    page.save(saved);
    EXPECT_EQ(static_cast<int>(saved.snapshotFormat), 7) << "an unchanged choice keeps its value";

    field<QLineEdit>(page, "snapshotPath")->setText("/media/shots");
    field<QLineEdit>(page, "snapshotPrefix")->setText("Shot-");
    field<QRadioButton>(page, "snapshotJpg")->setChecked(true);
    field<QCheckBox>(page, "snapshotPreview")->setChecked(false);
    page.save(saved);
    EXPECT_EQ(saved.snapshotPath, "/media/shots");
    EXPECT_EQ(saved.snapshotPrefix, "Shot-");
    EXPECT_EQ(saved.snapshotFormat, SnapshotFormat::Jpg);
    EXPECT_FALSE(saved.snapshotPreview);
}

TEST(SnapShotSettingsPageTest, TextsTheSettingsFileCannotHoldAreNotTaken)
{
    const struct
    {
        const char* path;
        const char* prefix;
        const char* savedPath;
        const char* savedPrefix;
    } cases[] = {
        {"/a,b", "IMG_", "/home/me/Pictures", "IMG_"},
        {"/a\"b", "x,y", "/home/me/Pictures", "IMG_"},
        {"", "sub/dir", "/home/me/Pictures", "IMG_"},
        {"   ", " lead", "/home/me/Pictures", "IMG_"},
        {" /spaced ", "", "/spaced", ""},
    };
    for (const auto& c : cases) {
        SnapShotSettingsPage page;
        page.load(stored());
        field<QLineEdit>(page, "snapshotPath")->setText(c.path);
        field<QLineEdit>(page, "snapshotPrefix")->setText(c.prefix);
        Settings saved = stored();
        page.save(saved);
        EXPECT_EQ(saved.snapshotPath, c.savedPath) << c.path;
        EXPECT_EQ(saved.snapshotPrefix, c.savedPrefix) << c.prefix;
    }
}

} // namespace

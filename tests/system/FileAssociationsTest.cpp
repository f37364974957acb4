#include "system/FileAssociations.h"

#include "QtPrinters.h"
#include "system/DesktopEntryText.h"
#include "system/FakeDesktopIntegration.h"
#include "system/FakeUserStore.h"
#include "util/SupportedFiles.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QMimeDatabase>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kDefault;
const QString kFileExts = QString(FileAssociations::kFileExtsKey);

QString classes(const QString& key)
{
    return FileAssociations::kClassesRoot + key;
}

// Counts what reaches the store, so "nothing changes" can be told from "nothing differs".
class CountingStore : public FakeUserStore
{
public:
    bool writeString(const QString& key, const QString& name, const QString& value) override
    {
        ++changes;
        return FakeUserStore::writeString(key, name, value);
    }
    bool deleteValue(const QString& key, const QString& name) override
    {
        ++changes;
        return FakeUserStore::deleteValue(key, name);
    }
    int changes = 0;
};

void writePicture(const QString& path, QColor colour, const char* format)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, format)) << path.toStdString();
}

QColor centre(const QImage& image)
{
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

int indexOf(const char* ext)
{
    return static_cast<int>(SupportedExtensions().indexOf(QString(ext)));
}

class FileAssociationsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_program = m_folder.path() + "/program/";
        writePicture(m_program + "icons/Unkowen.bmp", Qt::red, "BMP");
        writePicture(m_program + "icons/wav.ico", Qt::green, "ICO");
        m_associations = std::make_unique<FileAssociations>(m_store, m_desktop, m_program,
                                                            "/opt/korvane/korvane");
    }

    QTemporaryDir m_folder;
    QString m_program;
    CountingStore m_store;
    FakeDesktopIntegration m_desktop;
    std::unique_ptr<FileAssociations> m_associations;
};

} // namespace

TEST_F(FileAssociationsTest, AllFlagsClearChangeNothing)
{
    m_store.writeString(classes(".avi"), kDefault, "vlc.avi");
    m_desktop.defaults["video/x-msvideo"] = "vlc.desktop;";
    m_store.changes = 0;

    m_associations->applyAllAssociations({});

    EXPECT_EQ(m_store.changes, 0);
    EXPECT_EQ(m_desktop.defaultWrites, 0);
    EXPECT_TRUE(m_desktop.entries.isEmpty());
    EXPECT_EQ(m_desktop.defaults.value("video/x-msvideo"), "vlc.desktop;");
}

TEST_F(FileAssociationsTest, PreviousClassSavedAndRestored)
{
    m_store.writeString(classes(".mp3"), kDefault, "mp3file");
    m_store.writeString(kFileExts + ".mp3", "ProgID", "WMP11.AssocFile.MP3");
    m_desktop.defaults["audio/mpeg"] = "vlc.desktop;";

    m_associations->applyAssociation(indexOf("mp3"), true);

    EXPECT_EQ(m_store.readString(classes(".mp3"), kDefault), "Korvane.mp3");
    EXPECT_EQ(m_store.readString(classes(".mp3"), "OldAss"), "mp3file");
    EXPECT_EQ(m_store.readString(kFileExts + ".mp3", "ProgID"), "Korvane.mp3");
    EXPECT_EQ(m_store.readString(kFileExts + ".mp3", "OldProgID"), "WMP11.AssocFile.MP3");
    EXPECT_EQ(m_store.readString(classes("Korvane.mp3"), kDefault), "Korvane mp3 File");
    EXPECT_EQ(m_store.readString(classes("Korvane.mp3\\shell\\open\\command"), kDefault),
              "/opt/korvane/korvane %1");
    EXPECT_EQ(m_store.readString(classes("Korvane.mp3\\shell\\Add To Playlist\\command"), kDefault),
              "/opt/korvane/korvane %1 *Add");
    EXPECT_EQ(m_store.readString(classes("Korvane.mp3\\DefaultIcon"), kDefault),
              m_program + "icons/mp3.ico");
    EXPECT_TRUE(m_store.hasValue(classes("Korvane.mp3\\shell"), kDefault));
    EXPECT_EQ(m_desktop.defaults.value("audio/mpeg"), "korvane.desktop;");
    EXPECT_EQ(m_desktop.entries.size(), 2);

    m_associations->applyAssociation(indexOf("mp3"), false);

    EXPECT_EQ(m_store.readString(classes(".mp3"), kDefault), "mp3file");
    EXPECT_FALSE(m_store.hasValue(classes(".mp3"), "OldAss"));
    EXPECT_EQ(m_store.readString(kFileExts + ".mp3", "ProgID"), "WMP11.AssocFile.MP3");
    EXPECT_FALSE(m_store.hasValue(kFileExts + ".mp3", "OldProgID"));
    EXPECT_EQ(m_desktop.defaults.value("audio/mpeg"), "vlc.desktop;");
    EXPECT_FALSE(m_store.hasValue(FileAssociations::kSavedDefaultsKey, "audio/mpeg"));
    // The class stays registered; only the pointers to it go back.
    EXPECT_EQ(m_store.readString(classes("Korvane.mp3"), kDefault), "Korvane mp3 File");
}

TEST_F(FileAssociationsTest, AFailedReleaseKeepsThePreviousDefaultAndGivesItBackAtTheNextStart)
{
    m_desktop.defaults["audio/mpeg"] = "vlc.desktop;";
    ASSERT_TRUE(m_associations->applyAssociation(indexOf("mp3"), true));

    m_desktop.failDefaults = true;
    EXPECT_FALSE(m_associations->applyAssociation(indexOf("mp3"), false));
    EXPECT_EQ(m_desktop.defaults.value("audio/mpeg"), "korvane.desktop;");
    EXPECT_EQ(m_store.readString(FileAssociations::kSavedDefaultsKey, "audio/mpeg"),
              "vlc.desktop;");

    // Still failing at a start: still kept.
    FileAssociations again(m_store, m_desktop, m_program, "/opt/korvane/korvane");
    EXPECT_FALSE(again.applyAllAssociations({}));
    EXPECT_EQ(m_store.readString(FileAssociations::kSavedDefaultsKey, "audio/mpeg"),
              "vlc.desktop;");

    m_desktop.failDefaults = false;
    FileAssociations later(m_store, m_desktop, m_program, "/opt/korvane/korvane");
    EXPECT_TRUE(later.applyAllAssociations({}));
    EXPECT_EQ(m_desktop.defaults.value("audio/mpeg"), "vlc.desktop;");
    EXPECT_FALSE(m_store.hasValue(FileAssociations::kSavedDefaultsKey, "audio/mpeg"));
}

TEST_F(FileAssociationsTest, FailedWritesAreReported)
{
    m_desktop.failDefaults = true;
    EXPECT_FALSE(m_associations->applyAssociation(indexOf("avi"), true));
    m_desktop.failDefaults = false;
    m_store.failWrites = true;
    EXPECT_FALSE(m_associations->applyAssociation(indexOf("wav"), true));
    EXPECT_FALSE(m_associations->isAssociated(".wav", "Korvane.wav"));
    m_store.failWrites = false;
    EXPECT_TRUE(m_associations->applyAssociation(indexOf("wav"), true));
    EXPECT_TRUE(m_associations->applyAssociation(indexOf("wav"), false));
}

TEST_F(FileAssociationsTest, NoPreviousClassSavesAnEmptyOneAndRestoresIt)
{
    m_associations->applyAssociation(indexOf("wav"), true);
    EXPECT_TRUE(m_store.hasValue(classes(".wav"), "OldAss"));
    EXPECT_EQ(m_store.readString(classes(".wav"), "OldAss", "-1"), "");
    EXPECT_EQ(m_store.readString(kFileExts + ".wav", "OldProgID", "-1"), "");

    m_associations->applyAssociation(indexOf("wav"), false);
    EXPECT_EQ(m_store.readString(classes(".wav"), kDefault, "-1"), "");
    // No desktop default before: none after.
    for (const QString& type : FileAssociations::mimeTypesOf("wav")) {
        EXPECT_FALSE(m_desktop.defaults.contains(type)) << type.toStdString();
    }
}

TEST_F(FileAssociationsTest, AnotherProgramsClassIsLeftAlone)
{
    m_store.writeString(classes(".avi"), kDefault, "vlc.avi");
    m_store.writeString(classes(".avi"), "OldAss", "older");
    m_store.changes = 0;
    m_associations->unassociateExtension(".avi", "Korvane.avi");
    EXPECT_EQ(m_store.changes, 0);
    EXPECT_EQ(m_store.readString(classes(".avi"), kDefault), "vlc.avi");
}

TEST_F(FileAssociationsTest, AnotherProgramsLaterDesktopChoiceIsLeftAlone)
{
    m_desktop.defaults["video/x-matroska"] = "vlc.desktop;";
    m_associations->applyAssociation(indexOf("mkv"), true);
    ASSERT_EQ(m_desktop.defaults.value("video/x-matroska"), "korvane.desktop;");
    m_desktop.defaults["video/x-matroska"] = "mpv.desktop;vlc.desktop;";

    m_associations->applyAssociation(indexOf("mkv"), false);
    EXPECT_EQ(m_desktop.defaults.value("video/x-matroska"), "mpv.desktop;vlc.desktop;");
    EXPECT_FALSE(m_store.hasValue(FileAssociations::kSavedDefaultsKey, "video/x-matroska"));
}

TEST_F(FileAssociationsTest, RepeatedStartsKeepTheFirstSavedValues)
{
    std::array<bool, 24> flags{};
    flags[static_cast<std::size_t>(indexOf("mp3"))] = true;
    m_store.writeString(classes(".mp3"), kDefault, "mp3file");
    m_desktop.defaults["audio/mpeg"] = "vlc.desktop;";
    m_associations->applyAllAssociations(flags);
    m_store.changes = 0;
    const int desktopWrites = m_desktop.defaultWrites;
    const int entryWrites = m_desktop.entryWrites;

    m_associations->applyAllAssociations(flags);

    EXPECT_EQ(m_store.changes, 0);
    EXPECT_EQ(m_desktop.defaultWrites, desktopWrites);
    EXPECT_EQ(m_desktop.entryWrites, entryWrites);
    EXPECT_EQ(m_store.readString(classes(".mp3"), "OldAss"), "mp3file");
    EXPECT_EQ(m_store.readString(FileAssociations::kSavedDefaultsKey, "audio/mpeg"),
              "vlc.desktop;");
}

TEST_F(FileAssociationsTest, MovedProgramRewritesItsDesktopEntries)
{
    m_associations->applyAssociation(indexOf("ogg"), true);
    FileAssociations moved(m_store, m_desktop, m_program, "/home/me/korvane/korvane");
    moved.applyAssociation(indexOf("ogg"), true);
    EXPECT_EQ(m_desktop.entries.value("korvane.desktop"),
              DesktopEntryText::playerEntry("/home/me/korvane/korvane",
                                            m_program + "icons/Korvane.png",
                                            FileAssociations::declaredMimeTypes()));
    EXPECT_EQ(m_desktop.entryWrites, 4);
}

namespace {

// Extensions whose files share one MIME type: the type opens with Korvane while any of them
// is associated, and goes back only when the last is released.
struct SharedType
{
    const char* type;
    std::vector<const char*> extensions;
};

const SharedType kSharedTypes[] = {
    {"video/mpeg", {"mpg", "mpe", "mpeg"}},
    {"video/3gpp", {"3gp", "3gpp"}},
    {"video/quicktime", {"mov", "qt"}},
};

class SharedMimeType : public FileAssociationsTest, public testing::WithParamInterface<SharedType>
{};

} // namespace

TEST_P(SharedMimeType, FollowsTheLastAssociatedExtension)
{
    const SharedType& shared = GetParam();
    for (const char* ext : shared.extensions) {
        ASSERT_TRUE(FileAssociations::mimeTypesOf(ext).contains(shared.type)) << ext;
    }
    m_desktop.defaults[shared.type] = "previous.desktop;";
    for (const char* ext : shared.extensions) {
        m_associations->applyAssociation(indexOf(ext), true);
        EXPECT_EQ(m_desktop.defaults.value(shared.type), "korvane.desktop;") << ext;
    }
    // Released one by one: every release but the last keeps the type.
    for (std::size_t i = 0; i < shared.extensions.size(); ++i) {
        m_associations->applyAssociation(indexOf(shared.extensions[i]), false);
        const bool last = i + 1 == shared.extensions.size();
        EXPECT_EQ(m_desktop.defaults.value(shared.type),
                  last ? "previous.desktop;" : "korvane.desktop;")
            << "after releasing " << shared.extensions[i];
    }
    EXPECT_FALSE(m_store.hasValue(FileAssociations::kSavedDefaultsKey, shared.type));
}

INSTANTIATE_TEST_SUITE_P(Types, SharedMimeType, testing::ValuesIn(kSharedTypes),
                         [](const auto& param_info) {
                             std::string name = param_info.param.extensions.front();
                             return "Ext_" + name;
                         });

TEST(FileAssociationsTypes, EveryExtensionButHdmovHasATypeOfItsKind)
{
    for (const QString& ext : SupportedExtensions()) {
        const QStringList types = FileAssociations::mimeTypesOf(ext);
        if (ext == "hdmov") {
            continue;
        }
        ASSERT_FALSE(types.isEmpty()) << ext.toStdString();
        EXPECT_TRUE(types.front().startsWith("audio/") || types.front().startsWith("video/") ||
                    types.front().startsWith("application/"))
            << ext.toStdString() << " " << types.front().toStdString();
    }
}

namespace {

struct IconCase
{
    const char* name;
    const char* className;
    const char* defaultIcon; // nullptr: no DefaultIcon value
    QRgb expected;
};

const IconCase kIcons[] = {
    {"NoClassGivesUnknown", "-1", nullptr, 0xffff0000},
    {"OwnClassGivesItsIcon", "Korvane.wav", "$PROGRAM/icons/wav.ico", 0xff00ff00},
    {"ExpandedAndCutAtTheComma", "Other.lib", "\"%KORVANE_ICON_HOME%/lib.ico\",3", 0xff0000ff},
    {"BracedReferenceExpanded", "Other.braced", "${KORVANE_ICON_HOME}/lib.ico", 0xff0000ff},
    {"MissingFileGivesUnknown", "Other.gone", "/nonexistent/x.ico,0", 0xffff0000},
    {"DesktopIconByPath", "viewer.desktop", nullptr, 0xffffff00},
    {"DesktopWithoutIconGivesUnknown", "ghost.desktop", nullptr, 0xffff0000},
};

class ProgIDIconCase : public FileAssociationsTest, public testing::WithParamInterface<IconCase>
{};

} // namespace

TEST_P(ProgIDIconCase, PicksThePicture)
{
    const IconCase& icon = GetParam();
    const QString iconHome = m_folder.path() + "/share";
    writePicture(iconHome + "/lib.ico", Qt::blue, "ICO");
    writePicture(iconHome + "/viewer.png", Qt::yellow, "PNG");
    qputenv("KORVANE_ICON_HOME", iconHome.toLocal8Bit());
    m_desktop.icons["viewer.desktop"] = iconHome + "/viewer.png";
    if (icon.defaultIcon != nullptr) {
        QString value = icon.defaultIcon;
        value.replace("$PROGRAM/", m_program);
        m_store.writeString(classes(icon.className) + "\\DefaultIcon", kDefault, value);
    }
    const QImage picture = m_associations->progIdIcon(icon.className);
    qunsetenv("KORVANE_ICON_HOME");
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(centre(picture).rgba(), icon.expected)
        << std::hex << centre(picture).rgba() << " for " << icon.className;
}

INSTANTIATE_TEST_SUITE_P(Icons, ProgIDIconCase, testing::ValuesIn(kIcons),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(FileAssociationsTest, MissingUnknownPictureGivesABlankOne)
{
    QFile::remove(m_program + "icons/Unkowen.bmp");
    const QImage picture = m_associations->progIdIcon("-1");
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(centre(picture).rgba()), 0);
}

TEST_F(FileAssociationsTest, RegisteredProgIDAsksTheStoreThenTheDesktop)
{
    EXPECT_EQ(m_associations->registeredProgId("mkv"), "-1");
    m_desktop.systemDefaults["video/x-matroska"] = "vlc.desktop";
    EXPECT_EQ(m_associations->registeredProgId("mkv"), "vlc.desktop");
    m_associations->applyAssociation(indexOf("mkv"), true);
    EXPECT_EQ(m_associations->registeredProgId("mkv"), "Korvane.mkv");
}

TEST(FileAssociationsExpand, References)
{
    qputenv("KORVANE_X", "/x");
    qunsetenv("KORVANE_UNSET");
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"%KORVANE_X%\\a", "/x\\a"},
        {"$KORVANE_X/a", "/x/a"},
        {"${KORVANE_X}b", "/xb"},
        {"%KORVANE_UNSET%/a", "%KORVANE_UNSET%/a"},
        {"$KORVANE_UNSET", "$KORVANE_UNSET"},
        {"100% sure", "100% sure"},
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileAssociations::expandEnvironment(c.in), QString(c.out)) << c.in;
    }
    qunsetenv("KORVANE_X");
}

TEST(FileAssociationTypes, EveryFileOfAClaimedTypeIsOneKorvaneOpens)
{
    // Ticking mpg claims video/mpeg, which the desktop also gives to .vob and .mp2 files: those
    // reach Korvane too and must not be turned away. A suffix that the database files under
    // another type first (".ass" is a subtitle, not AAC) does not reach Korvane by this type.
    const QMimeDatabase database;
    for (const QString& name : FileAssociations::allMimeTypes()) {
        for (const QString& suffix : database.mimeTypeForName(name).suffixes()) {
            bool typed = false;
            for (const QMimeType& type : database.mimeTypesForFileName("file." + suffix)) {
                typed = typed || type.name() == name || type.aliases().contains(name);
            }
            if (typed) {
                EXPECT_TRUE(isSupportedFile("file." + suffix))
                    << name.toStdString() << " ." << suffix.toStdString();
            }
        }
    }
}

TEST(FileAssociationTypes, EntriesOfferTheFurtherTypesButClaimOnlyTheTwentyFours)
{
    const QStringList claimed = FileAssociations::allMimeTypes();
    const QStringList declared = FileAssociations::declaredMimeTypes();
    EXPECT_EQ(declared.mid(0, claimed.size()), claimed);
    for (const char* type : {"video/webm", "audio/flac", "video/mp2t", "audio/x-matroska"}) {
        EXPECT_TRUE(declared.contains(type)) << type;
    }
    EXPECT_FALSE(claimed.contains("video/webm"));
    EXPECT_FALSE(declared.contains("text/vnd.trolltech.linguist")); // also ".ts"
    EXPECT_EQ(QSet<QString>(declared.begin(), declared.end()).size(), declared.size());
    const QByteArray entry = DesktopEntryText::playerEntry("/opt/korvane", "", declared);
    EXPECT_TRUE(entry.contains("\nExec=/opt/korvane %F\n"));
    EXPECT_TRUE(DesktopEntryText::enqueueEntry("/opt/korvane", "", declared)
                    .contains("\nExec=/opt/korvane %F \"*Add\"\n"));
}

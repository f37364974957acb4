#include "system/FreedesktopIntegration.h"

#include "QtPrinters.h"
#include "system/DesktopEntryText.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "util/SupportedFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray entryFor(const char* name, const char* types, const char* icon = "viewer")
{
    return QByteArray("[Desktop Entry]\nType=Application\nName=") + name +
           "\nExec=/bin/true %f\nIcon=" + icon + "\nMimeType=" + types + "\n";
}

// A desktop of its own: user and system folders under one temporary folder.
class PrivateDesktop : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_desktop = std::make_unique<FreedesktopIntegration>(
            path("config"), path("data"), QStringList{path("etc")}, QStringList{path("usr")});
    }
    QString path(const QString& sub) const { return m_root.path() + u'/' + sub; }

    // What xdg-mime, the desktop's own client, answers on this desktop.
    QString xdgDefault(const QString& type) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX"}) {
            environment.remove(name);
        }
        environment.insert("XDG_CONFIG_HOME", path("config"));
        environment.insert("XDG_DATA_HOME", path("data"));
        environment.insert("XDG_CONFIG_DIRS", path("etc"));
        environment.insert("XDG_DATA_DIRS", path("usr"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start("xdg-mime", {"query", "default", type});
        if (!process.waitForFinished(20000)) {
            return "(xdg-mime did not finish)";
        }
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QTemporaryDir m_root;
    std::unique_ptr<FreedesktopIntegration> m_desktop;
};

} // namespace

TEST_F(PrivateDesktop, UserDefaultEditsKeepTheRestOfTheList)
{
    const QByteArray before = "# my choices\n[Added Associations]\naudio/mpeg=vlc.desktop;\n\n"
                              "[Default Applications]\nvideo/mp4=mpv.desktop;\n";
    writeText(m_desktop->mimeAppsPath(), before);
    ASSERT_TRUE(m_desktop->setUserDefault("audio/mpeg", QString("korvane.desktop;")));
    EXPECT_EQ(readText(m_desktop->mimeAppsPath()),
              "# my choices\n[Added Associations]\naudio/mpeg=vlc.desktop;\n\n"
              "[Default Applications]\nvideo/mp4=mpv.desktop;\naudio/mpeg=korvane.desktop;\n");
    EXPECT_EQ(m_desktop->userDefault("audio/mpeg"), QString("korvane.desktop;"));
    ASSERT_TRUE(m_desktop->setUserDefault("audio/mpeg", std::nullopt));
    EXPECT_EQ(readText(m_desktop->mimeAppsPath()), before);
    EXPECT_EQ(m_desktop->userDefault("audio/mpeg"), std::nullopt);
}

TEST_F(PrivateDesktop, LinkedListIsChangedWhereItLives)
{
    writeText(path("dotfiles/mimeapps.list"), "[Default Applications]\n");
    QDir().mkpath(path("config"));
    ASSERT_TRUE(QFile::link(path("dotfiles/mimeapps.list"), m_desktop->mimeAppsPath()));
    ASSERT_TRUE(m_desktop->setUserDefault("video/mp4", QString("korvane.desktop;")));
    EXPECT_TRUE(QFileInfo(m_desktop->mimeAppsPath()).isSymLink());
    EXPECT_EQ(readText(path("dotfiles/mimeapps.list")),
              "[Default Applications]\nvideo/mp4=korvane.desktop;\n");
}

TEST_F(PrivateDesktop, ALinkedListKeepsItsBytesAndTheLink)
{
    // CR LF ends, a Latin-1 comment and a group no one here knows.
    const QByteArray before =
        "# r\xe9glages\r\n[Default Applications]\r\naudio/mpeg=vlc.desktop;\r\n"
        "\r\n[X-Other]\r\nk=\xff\r\n";
    writeText(path("dotfiles/mimeapps.list"), before);
    QDir().mkpath(path("config"));
    ASSERT_TRUE(QFile::link(path("dotfiles/mimeapps.list"), m_desktop->mimeAppsPath()));
    ASSERT_TRUE(m_desktop->setUserDefault("video/mp4", QString("korvane.desktop;")));
    ASSERT_TRUE(m_desktop->setUserDefault("video/mp4", std::nullopt));
    EXPECT_TRUE(QFileInfo(m_desktop->mimeAppsPath()).isSymLink());
    EXPECT_EQ(readText(path("dotfiles/mimeapps.list")), before);
}

TEST_F(PrivateDesktop, AListLinkedToAnotherUsersFileIsNotWritten)
{
    const QByteArray theirs = "[Default Applications]\naudio/mpeg=vlc.desktop;\n";
    writeText(path("other/mimeapps.list"), theirs);
    ASSERT_EQ(::chown(QFile::encodeName(path("other/mimeapps.list")).constData(), 4242, 4242), 0);
    QDir().mkpath(path("config"));
    ASSERT_TRUE(QFile::link(path("other/mimeapps.list"), m_desktop->mimeAppsPath()));
    EXPECT_FALSE(m_desktop->setUserDefault("audio/mpeg", QString("korvane.desktop;")));
    EXPECT_EQ(readText(path("other/mimeapps.list")), theirs);
    EXPECT_TRUE(QFileInfo(m_desktop->mimeAppsPath()).isSymLink());
    // A desktop entry linked the same way is refused too.
    QDir().mkpath(m_desktop->applicationsFolder());
    ASSERT_TRUE(QFile::link(path("other/mimeapps.list"),
                            m_desktop->applicationsFolder() + "/korvane.desktop"));
    EXPECT_FALSE(m_desktop->installEntry("korvane.desktop", entryFor("Korvane", "audio/mpeg;")));
    EXPECT_EQ(readText(path("other/mimeapps.list")), theirs);
}

TEST_F(PrivateDesktop, EntryWrittenOnlyWhenItDiffers)
{
    const QByteArray text = entryFor("Korvane", "audio/mpeg;");
    ASSERT_TRUE(m_desktop->installEntry("korvane.desktop", text));
    const QString file = m_desktop->applicationsFolder() + "/korvane.desktop";
    EXPECT_EQ(readText(file), text);
    const QDateTime past = QDateTime::fromSecsSinceEpoch(1000000000);
    QFile entry(file);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    ASSERT_TRUE(entry.setFileTime(past, QFileDevice::FileModificationTime));
    entry.close();
    ASSERT_TRUE(m_desktop->installEntry("korvane.desktop", text));
    EXPECT_EQ(QFileInfo(file).lastModified(), past);
    ASSERT_TRUE(m_desktop->installEntry("korvane.desktop", entryFor("Korvane", "video/mp4;")));
    EXPECT_EQ(readText(file), entryFor("Korvane", "video/mp4;"));
}

TEST_F(PrivateDesktop, DefaultApplicationFollowsTheDesktopsOrder)
{
    writeText(path("usr/applications/sys.desktop"), entryFor("Sys", "video/mp4;", "sys-icon"));
    writeText(path("usr/applications/vendor/nested.desktop"), entryFor("Nested", "video/mp4;"));
    writeText(path("data/applications/mine.desktop"), entryFor("Mine", "video/mp4;", "/i.png"));
    EXPECT_EQ(m_desktop->defaultApplication("video/mp4"), "");

    writeText(path("usr/applications/mimeinfo.cache"), "[MIME Cache]\nvideo/mp4=sys.desktop;\n");
    EXPECT_EQ(m_desktop->defaultApplication("video/mp4"), "sys.desktop");
    writeText(path("etc/mimeapps.list"),
              "[Default Applications]\nvideo/mp4=vendor-nested.desktop;\n");
    EXPECT_EQ(m_desktop->defaultApplication("video/mp4"), "vendor-nested.desktop");
    // An entry naming an application that is not installed gives way to the next.
    writeText(m_desktop->mimeAppsPath(),
              "[Default Applications]\nvideo/mp4=gone.desktop;mine.desktop;\n");
    EXPECT_EQ(m_desktop->defaultApplication("video/mp4"), "mine.desktop");

    EXPECT_EQ(m_desktop->applicationIcon("mine.desktop"), "/i.png");
    EXPECT_EQ(m_desktop->applicationIcon("sys.desktop"), "sys-icon");
    EXPECT_EQ(m_desktop->applicationIcon("vendor-nested.desktop"), "viewer");
    EXPECT_EQ(m_desktop->applicationIcon("gone.desktop"), "");
    EXPECT_EQ(m_desktop->applicationIcon("../x.desktop"), "");
}

TEST_F(PrivateDesktop, GeneratedEntriesPassTheValidator)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    const QStringList types = FileAssociations::declaredMimeTypes();
    const QString program = "/opt/My Player's/korvane";
    const QByteArray entries[] = {DesktopEntryText::playerEntry(program, "/opt/k.png", types),
                                  DesktopEntryText::enqueueEntry(program, "/opt/k.png", types)};
    for (const QByteArray& entry : entries) {
        writeText(path("check/korvane.desktop"), entry);
        QProcess process;
        process.start(validator, {path("check/korvane.desktop")});
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), 0)
            << process.readAllStandardOutput().toStdString() << entry.toStdString();
    }
}

TEST(DesktopEntryText, ExecArgumentsSurviveTheDesktopsQuoting)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"/usr/bin/korvane", "/usr/bin/korvane"},
        {"/opt/My Player/korvane", "\"/opt/My Player/korvane\""},
        {"/opt/a$b/k", "\"/opt/a\\\\$b/k\""},
        {"/opt/100%/k", "/opt/100%%/k"},
        {"/opt/q\"uote/k", "\"/opt/q\\\\\"uote/k\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DesktopEntryText::execArgument(c.in), QString(c.out)) << c.in;
    }
}

TEST_F(PrivateDesktop, XdgMimeAgreesAfterAssociatingAndReleasing)
{
    if (QStandardPaths::findExecutable("xdg-mime").isEmpty()) {
        GTEST_SKIP() << "xdg-mime is not installed";
    }
    // One type with a previous choice of the user's, one whose default came from the system.
    writeText(path("usr/applications/other.desktop"),
              entryFor("Other", "video/x-matroska;audio/x-wav;"));
    writeText(path("usr/applications/mimeinfo.cache"),
              "[MIME Cache]\naudio/x-wav=other.desktop;\n");
    writeText(m_desktop->mimeAppsPath(),
              "[Added Associations]\nvideo/mp4=other.desktop;\n\n"
              "[Default Applications]\nvideo/x-matroska=other.desktop;\n");
    ASSERT_EQ(xdgDefault("video/x-matroska"), "other.desktop");
    const QString wavType = FileAssociations::mimeTypesOf("wav").value(0);
    ASSERT_FALSE(wavType.isEmpty());

    FakeUserStore store;
    // xdg-mime takes an entry only when its program is there.
    FileAssociations associations(store, *m_desktop, path("program/"), KORVANE_BIN_DIR "/korvane");
    const int mkv = static_cast<int>(SupportedExtensions().indexOf("mkv"));
    const int wav = static_cast<int>(SupportedExtensions().indexOf("wav"));
    associations.applyAssociation(mkv, true);
    associations.applyAssociation(wav, true);
    EXPECT_EQ(xdgDefault("video/x-matroska"), "korvane.desktop");
    EXPECT_EQ(xdgDefault(wavType), "korvane.desktop");

    associations.applyAssociation(mkv, false);
    associations.applyAssociation(wav, false);
    EXPECT_EQ(xdgDefault("video/x-matroska"), "other.desktop");
    if (wavType == "audio/x-wav") {
        EXPECT_EQ(xdgDefault(wavType), "other.desktop");
    }
    EXPECT_EQ(readText(m_desktop->mimeAppsPath()),
              "[Added Associations]\nvideo/mp4=other.desktop;\n\n"
              "[Default Applications]\nvideo/x-matroska=other.desktop;\n");
}

#include "ui/dialogs/PlayerSettingsPage.h"

#include "skin/SettingsLayout.h"
#include "ui/dialogs/CaptionFit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

namespace {

// An option group may stand with nothing selected, as a stored value no option names asks.
void select(QButtonGroup* group, int id)
{
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) {
        button->setChecked(group->id(button) == id);
    }
    group->setExclusive(true);
}

template <typename E> void selectValue(QButtonGroup* group, E value)
{
    select(group, static_cast<int>(value));
}

// The choice of the selected option, or `value` unchanged when none is selected.
template <typename E> void readValue(const QButtonGroup* group, E& value)
{
    if (group->checkedId() >= 0) {
        value = static_cast<E>(group->checkedId());
    }
}

template <typename E>
QRadioButton* option(QButtonGroup* group, E value, const QString& name, const QString& caption,
                     QWidget* parent, QRect geometry)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    group->addButton(button, static_cast<int>(value));
    return button;
}

QCheckBox* check(const QString& name, const QString& caption, QWidget* parent, QRect geometry)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QGroupBox* frame(const QString& caption, QWidget* parent, QRect geometry)
{
    auto* box = new QGroupBox(caption, parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace

PlayerSettingsPage::PlayerSettingsPage(QWidget* parent) : QWidget(parent)
{
    // Moves over empty parts of the page reach the dialog's hover tracking.
    setMouseTracking(true);
    m_openMode = new QButtonGroup(this);
    m_titleBarMode = new QButtonGroup(this);
    m_playlistPosition = new QButtonGroup(this);

    QGroupBox* open = frame(QStringLiteral("Open Options:"), this, {30, 80, 440, 88});
    option(m_openMode, OpenMode::SamePlayer, QStringLiteral("useSamePlayer"),
           QStringLiteral("Use same player for each media file."), open, {12, 18, 420, 20});
    option(m_openMode, OpenMode::NewPlayer, QStringLiteral("useNewPlayer"),
           QStringLiteral("Use new player for each media file played."), open, {12, 40, 420, 20});
    m_launchFullscreen =
        check(QStringLiteral("launchFullscreen"), QStringLiteral("Launch Files in Fullscreen."),
              open, {12, 62, 420, 20});

    QGroupBox* title = frame(QStringLiteral("Title Bar:"), this, {30, 172, 220, 92});
    option(m_titleBarMode, TitleBarMode::FileName, QStringLiteral("titleFileName"),
           QStringLiteral("Display File Name Only"), title, {12, 20, 200, 20});
    option(m_titleBarMode, TitleBarMode::FullPath, QStringLiteral("titleFullPath"),
           QStringLiteral("Display Full Path."), title, {12, 43, 200, 20});
    option(m_titleBarMode, TitleBarMode::ProductOnly, QStringLiteral("titleNoFileName"),
           QStringLiteral("Don't include the File Name."), title, {12, 66, 200, 20});

    QGroupBox* playlist = frame(QStringLiteral("PlayList Options"), this, {257, 172, 213, 92});
    auto* positionLabel =
        new QLabel(QStringLiteral("Choose The Playlist position") + QString(12, u' '), playlist);
    positionLabel->setWordWrap(true);
    positionLabel->setGeometry(10, 22, 118, 60);
    // A cross: Top above, Bottom below, Left and Right at the sides, Fill in the middle.
    const struct
    {
        PlaylistPosition position;
        const char* name;
        const char* tip;
        QRect geometry;
    } cross[] = {
        {PlaylistPosition::Top, "positionTop", "Top", {166, 20, 18, 18}},
        {PlaylistPosition::Left, "positionLeft", "Left", {144, 42, 18, 18}},
        {PlaylistPosition::Fill, "positionFill", "Fill", {166, 42, 18, 18}},
        {PlaylistPosition::Right, "positionRight", "Right", {188, 42, 18, 18}},
        {PlaylistPosition::Bottom, "positionBottom", "Bottom", {166, 64, 18, 18}},
    };
    for (const auto& place : cross) {
        option(m_playlistPosition, place.position, QString::fromLatin1(place.name), QString(),
               playlist, place.geometry)
            ->setToolTip(QString::fromLatin1(place.tip));
    }

    auto* other = new QLabel(QStringLiteral("Other:"), this);
    other->adjustSize();
    other->move(36, 268);
    m_alwaysOnTop = check(QStringLiteral("alwaysOnTop"), QStringLiteral("Always OnTop"), this,
                          {39, 298, 225, 20});
    m_showInTray = check(QStringLiteral("showInTray"), QStringLiteral("Show in Tray."), this,
                         {276, 298, 200, 20});
    m_rememberLastPos =
        check(QStringLiteral("rememberLastPos"), QStringLiteral("Remember Last Window Position"),
              this, {39, 328, 225, 20});
    m_rememberLastSize =
        check(QStringLiteral("rememberLastSize"), QStringLiteral("Remember Last Window Size."),
              this, {276, 328, 200, 20});
    m_keepHistory =
        check(QStringLiteral("keepHistory"),
              QStringLiteral("Keep History of recently Opened files."), this, {39, 358, 235, 20});
    m_disableScreenSaver =
        check(QStringLiteral("disableScreenSaver"),
              QStringLiteral("Disable ScreenSaver while playing."), this, {276, 358, 210, 20});

    const QRect page = SettingsLayout::pageArea(SettingsLayout::kWidth, SettingsLayout::kHeight);
    CaptionFit::fitButtons(this, page.right() - 4);
    for (QGroupBox* group : {open, title}) {
        CaptionFit::fitButtons(group, group->width() - 6);
    }
}

void PlayerSettingsPage::load(const Settings& settings)
{
    selectValue(m_openMode, settings.openMode);
    m_launchFullscreen->setChecked(settings.launchFullscreen);
    m_alwaysOnTop->setChecked(settings.alwaysOnTop);
    m_keepHistory->setChecked(settings.keepHistory);
    m_rememberLastPos->setChecked(settings.rememberLastPos);
    m_rememberLastSize->setChecked(settings.rememberLastSize);
    m_showInTray->setChecked(settings.showInTray);
    m_disableScreenSaver->setChecked(settings.disableScreenSaver);
    selectValue(m_titleBarMode, settings.titleBarMode);
    selectValue(m_playlistPosition, settings.playlistPosition);
}

void PlayerSettingsPage::save(Settings& settings) const
{
    readValue(m_openMode, settings.openMode);
    settings.launchFullscreen = m_launchFullscreen->isChecked();
    readValue(m_titleBarMode, settings.titleBarMode);
    settings.alwaysOnTop = m_alwaysOnTop->isChecked();
    settings.keepHistory = m_keepHistory->isChecked();
    settings.rememberLastPos = m_rememberLastPos->isChecked();
    settings.rememberLastSize = m_rememberLastSize->isChecked();
    settings.showInTray = m_showInTray->isChecked();
    settings.disableScreenSaver = m_disableScreenSaver->isChecked();
    readValue(m_playlistPosition, settings.playlistPosition);
}

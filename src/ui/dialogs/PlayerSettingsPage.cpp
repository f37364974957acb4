#include "ui/dialogs/PlayerSettingsPage.h"

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

QRadioButton* option(QButtonGroup* group, int id, const QString& caption, QWidget* parent,
                     QRect geometry)
{
    auto* button = new QRadioButton(caption, parent);
    button->setGeometry(geometry);
    group->addButton(button, id);
    return button;
}

QCheckBox* check(const QString& caption, QWidget* parent, QRect geometry)
{
    auto* box = new QCheckBox(caption, parent);
    box->setGeometry(geometry);
    return box;
}

} // namespace

PlayerSettingsPage::PlayerSettingsPage(QWidget* dialog) : QObject(dialog)
{
    m_open = new QButtonGroup(this);
    m_title = new QButtonGroup(this);
    m_position = new QButtonGroup(this);

    SSFrame1 = new QGroupBox(QStringLiteral("Open Options:"), dialog);
    SSFrame1->resize(440, 88);
    SSOUseSame = option(m_open, 0, QStringLiteral("Use same player for each media file."), SSFrame1,
                        {12, 18, 420, 20});
    SSOUseNew = option(m_open, 1, QStringLiteral("Use new player for each media file played."),
                       SSFrame1, {12, 40, 420, 20});
    SSCLaunchFiles =
        check(QStringLiteral("Launch Files in Fullscreen."), SSFrame1, {12, 62, 420, 20});

    SSFrame2 = new QGroupBox(QStringLiteral("Title Bar:"), dialog);
    SSFrame2->resize(220, 92);
    SSODisplayFile =
        option(m_title, 0, QStringLiteral("Display File Name Only"), SSFrame2, {12, 20, 200, 20});
    SSODisplayFull =
        option(m_title, 1, QStringLiteral("Display Full Path."), SSFrame2, {12, 43, 200, 20});
    SSODonT = option(m_title, 2, QStringLiteral("Don't include the File Name."), SSFrame2,
                     {12, 66, 200, 20});

    SSFrPlayList = new QGroupBox(QStringLiteral("PlayList Options"), dialog);
    SSFrPlayList->resize(213, 92);
    lblPlaypos = new QLabel(QStringLiteral("Choose The Playlist position") + QString(12, u' '),
                            SSFrPlayList);
    lblPlaypos->setWordWrap(true);
    lblPlaypos->setGeometry(10, 22, 118, 60);
    // A cross: Top above, Bottom below, Left and Right at the sides, Fill in the middle.
    SSOptTop = option(m_position, 2, QString(), SSFrPlayList, {166, 20, 18, 18});
    SSOptLeft = option(m_position, 0, QString(), SSFrPlayList, {144, 42, 18, 18});
    SSOptFill = option(m_position, 4, QString(), SSFrPlayList, {166, 42, 18, 18});
    SSOptRIGHT = option(m_position, 1, QString(), SSFrPlayList, {188, 42, 18, 18});
    SSOptBottom = option(m_position, 3, QString(), SSFrPlayList, {166, 64, 18, 18});
    SSOptTop->setToolTip(QStringLiteral("Top"));
    SSOptLeft->setToolTip(QStringLiteral("Left"));
    SSOptFill->setToolTip(QStringLiteral("Fill"));
    SSOptRIGHT->setToolTip(QStringLiteral("Right"));
    SSOptBottom->setToolTip(QStringLiteral("Bottom"));

    lblOther = new QLabel(QStringLiteral("Other:"), dialog);
    lblOther->adjustSize();
    SSCAlwaysOnTop = check(QStringLiteral("Always OnTop"), dialog, {0, 0, 225, 20});
    SSCShowIn = check(QStringLiteral("Show in Tray."), dialog, {0, 0, 200, 20});
    SSCRememberLastPos =
        check(QStringLiteral("Remember Last Window Position"), dialog, {0, 0, 225, 20});
    SSCRememberLastSize =
        check(QStringLiteral("Remember Last Window Size."), dialog, {0, 0, 200, 20});
    SSCKeepHistory =
        check(QStringLiteral("Keep History of recently Opened files."), dialog, {0, 0, 235, 20});
    SSCDisableScreenSaver =
        check(QStringLiteral("Disable ScreenSaver while playing."), dialog, {0, 0, 210, 20});
}

void PlayerSettingsPage::showPage(bool shown)
{
    const struct
    {
        QWidget* widget;
        QPoint at;
    } placed[] = {
        {SSFrame1, {30, 80}},
        {SSFrame2, {30, 172}},
        {SSFrPlayList, {257, 172}},
        {lblOther, {36, 268}},
        {SSCAlwaysOnTop, {39, 298}},
        {SSCShowIn, {276, 298}},
        {SSCRememberLastPos, {39, 328}},
        {SSCRememberLastSize, {276, 328}},
        {SSCKeepHistory, {39, 358}},
        {SSCDisableScreenSaver, {276, 358}},
    };
    for (const auto& item : placed) {
        item.widget->move(item.at);
        item.widget->setVisible(shown);
    }
}

void PlayerSettingsPage::load(const SettingsForm& form)
{
    select(m_open, form.openOption);
    SSCLaunchFiles->setChecked(form.launchFiles);
    SSCAlwaysOnTop->setChecked(form.alwaysOnTop);
    SSCKeepHistory->setChecked(form.keepHistory);
    SSCRememberLastPos->setChecked(form.rememberLastPos);
    SSCRememberLastSize->setChecked(form.rememberLastSize);
    SSCShowIn->setChecked(form.showInTray);
    SSCDisableScreenSaver->setChecked(form.disableScreenSaver);
    select(m_title, form.titleOption);
    select(m_position, form.playlistPosition);
}

void PlayerSettingsPage::save(SettingsForm& form) const
{
    form.openOption = m_open->checkedId();
    form.launchFiles = SSCLaunchFiles->isChecked();
    form.titleOption = m_title->checkedId();
    form.alwaysOnTop = SSCAlwaysOnTop->isChecked();
    form.keepHistory = SSCKeepHistory->isChecked();
    form.rememberLastPos = SSCRememberLastPos->isChecked();
    form.rememberLastSize = SSCRememberLastSize->isChecked();
    form.showInTray = SSCShowIn->isChecked();
    form.disableScreenSaver = SSCDisableScreenSaver->isChecked();
    form.playlistPosition = m_position->checkedId();
}

#include "ui/dialogs/SettingsDialog.h"

#include "settings/SettingsSaver.h"
#include "system/FileAssociations.h"
#include "ui/dialogs/AssociationsSettingsPage.h"
#include "ui/dialogs/PlayerSettingsPage.h"
#include "ui/dialogs/SnapShotSettingsPage.h"
#include "ui/qt/QtUserMessages.h"
#include "util/Logging.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

SettingsDialog::SettingsDialog(SettingsStore& settings, FileAssociations& associations,
                               const SkinImages& images, PlacementSource placement, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      SkinnedWindow(*this, SettingsLayout::buttonStates(),
                    static_cast<int>(SettingsRegion::Caption), &images),
      m_settings(settings), m_associations(associations), m_images(images),
      m_placement(std::move(placement))
{
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);
    setFixedSize(SettingsLayout::kWidth, SettingsLayout::kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Text stands light on the dark skin.
    QPalette light = palette();
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) {
        light.setColor(role, QColor(0xe8, 0xee, 0xdf));
    }
    setPalette(light);
    // The dialog's captions were laid out for a small dialog font.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);

    const int W = width();
    const int H = height();
    auto* pageArea = addLabel(QString(), SettingsLayout::pageArea(W, H).topLeft());
    pageArea->resize(SettingsLayout::pageArea(W, H).size());
    pageArea->lower();
    m_player = new PlayerSettingsPage(this);
    m_player->setGeometry(rect());
    m_associationsPage = new AssociationsSettingsPage(this);
    m_associationsPage->setGeometry(rect());
    m_snapShotPage = new SnapShotSettingsPage(this);
    m_snapShotPage->setGeometry(rect());
    addLabel(QStringLiteral("Player"), {67, 52});
    addLabel(QStringLiteral("Assocciations"), {135, 52});
    m_snapShotLabel = addLabel(QStringLiteral("SnapShot"), {228, 52}, true);
    QLabel* caption = addLabel(QStringLiteral("Options"), {0, 8});
    caption->move((W - caption->width()) / 2, 8);
    addLabel(QStringLiteral("Apply"), SettingsLayout::applyLabel(W, H));
    addLabel(QStringLiteral("OK"), SettingsLayout::okLabel(W, H));
    addLabel(QStringLiteral("Cancle"), SettingsLayout::cancelLabel(W, H));

    m_associationsPage->fillAssociationList(m_associations);
    m_page = SettingsPage::Player;
    loadSettingsControls();
    m_player->setVisible(true);
    m_associationsPage->setVisible(false);
    m_snapShotPage->setVisible(false);
}

SettingsDialog::~SettingsDialog() = default;

QLabel* SettingsDialog::addLabel(const QString& caption, QPoint at, bool takesClicks)
{
    auto* label = new QLabel(caption, this);
    label->adjustSize();
    label->move(at);
    if (takesClicks) {
        label->installEventFilter(this);
    } else {
        // Labels over painted regions leave the click to the region beneath.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    return label;
}

void SettingsDialog::loadSettingsControls()
{
    // The dialog starts from the record in memory, with the window where it stands now: what was
    // chosen since the last save stays, and applying the record moves nothing.
    if (m_placement) {
        m_settings.recordPlacement(m_placement());
    }
    m_player->load(m_settings.settings());
    m_associationsPage->load(m_settings.settings());
    m_snapShotPage->load(m_settings.settings());
}

bool SettingsDialog::saveSettingsControls()
{
    Settings settings = m_settings.settings();
    m_player->save(settings);
    m_associationsPage->save(settings);
    m_snapShotPage->save(settings);
    const QStringList failed = SettingsSaver(m_settings, m_associations)
                                   .save(settings, m_placement ? m_placement() : WindowPlacement{});
    if (failed.isEmpty()) {
        return true;
    }
    // Shown over the dialog, which stays open with what the user chose.
    if (!m_messages) {
        m_ownMessages = std::make_unique<QtUserMessages>(this);
        m_messages = m_ownMessages.get();
    }
    m_messages->show(UserMessages::Icon::Warning, QStringLiteral("Options"),
                     SettingsSaver::failureText(failed));
    return false;
}

void SettingsDialog::showSettingsPage(SettingsPage page)
{
    m_page = page;
    update();
    m_player->setVisible(page == SettingsPage::Player);
    m_associationsPage->setVisible(page == SettingsPage::Associations);
    m_snapShotPage->setVisible(page == SettingsPage::SnapShot);
}

void SettingsDialog::runAction(SettingsAction action)
{
    switch (action) {
    case SettingsAction::None:
        break;
    case SettingsAction::Unload:
        reject();
        break;
    case SettingsAction::ShowPlayer:
        showSettingsPage(SettingsPage::Player);
        break;
    case SettingsAction::ShowAssociations:
        showSettingsPage(SettingsPage::Associations);
        break;
    case SettingsAction::Save:
        saveSettingsControls();
        break;
    case SettingsAction::SaveAndUnload:
        if (saveSettingsControls()) {
            accept();
        }
        break;
    case SettingsAction::SelectAll: {
        AssociationsSettingsPage::Ticks all;
        all.fill(true);
        m_associationsPage->setTicks(all);
        break;
    }
    case SettingsAction::DeselectAll:
        m_associationsPage->setTicks({});
        break;
    case SettingsAction::AudioPreset:
        m_associationsPage->setTicks(AssociationsSettingsPage::audioPreset());
        break;
    case SettingsAction::VideoPreset:
        m_associationsPage->setTicks(AssociationsSettingsPage::videoPreset());
        break;
    }
    update();
}

bool SettingsDialog::event(QEvent* event)
{
    return skinEvent(event) || QDialog::event(event);
}

std::vector<SkinPiece> SettingsDialog::skinPieces() const
{
    return SettingsLayout::pieces(width(), height(), m_page);
}

void SettingsDialog::skinClicked(int region)
{
    const SettingsAction action = SettingsLayout::clickAction(static_cast<SettingsRegion>(region));
    if (action != SettingsAction::None) {
        qCDebug(lcUi) << "options: clicked region" << region;
    }
    runAction(action);
}

void SettingsDialog::leaveEvent(QEvent* event)
{
    hoverRegion(-1);
    QDialog::leaveEvent(event);
}

bool SettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_snapShotLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        showSettingsPage(SettingsPage::SnapShot);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

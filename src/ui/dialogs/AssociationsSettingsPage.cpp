#include "ui/dialogs/AssociationsSettingsPage.h"

#include "skin/SettingsLayout.h"
#include "system/FileAssociations.h"
#include "ui/dialogs/CaptionFit.h"
#include "util/SupportedFiles.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QStyle>

namespace {

constexpr QPoint kListAt{30, 90};
// Where the list waits while its page is not shown.
constexpr QPoint kListAway{-400, -400};

// A caption over a painted button: the button under it takes the click.
void buttonLabel(const QString& caption, QWidget* parent, SettingsRegion face)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(caption);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    const HitTable faces = SettingsLayout::hitRects(SettingsLayout::kWidth, SettingsLayout::kHeight,
                                                    SettingsPage::Associations);
    CaptionFit::centreOnFace(label, faces[face], 5);
}

} // namespace

AssociationsSettingsPage::AssociationsSettingsPage(QWidget* parent) : QWidget(parent)
{
    // Moves over empty parts of the page reach the dialog's hover tracking.
    setMouseTracking(true);
    auto* heading = new QLabel(QStringLiteral("File Extensions:"), this);
    heading->adjustSize();
    heading->move(30, 74);
    m_list = new QListWidget(this);
    m_list->setGeometry(QRect(kListAway, QSize(337, 285)));
    // Small icons in one column, every name whole; the list scrolls down.
    m_list->setViewMode(QListView::ListMode);
    m_list->setFlow(QListView::TopToBottom);
    m_list->setWrapping(false);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setIconSize(QSize(16, 16));
    m_list->setPalette(style()->standardPalette());
    buttonLabel(QStringLiteral("Select All"), this, SettingsRegion::SelectAll);
    buttonLabel(QStringLiteral("Deselect All"), this, SettingsRegion::DeselectAll);
    buttonLabel(QStringLiteral("Audio Files"), this, SettingsRegion::AudioFiles);
    buttonLabel(QStringLiteral("Video Files"), this, SettingsRegion::VideoFiles);
}

void AssociationsSettingsPage::fillAssociationList(const FileAssociations& associations)
{
    m_list->clear();
    const QStringList& extensions = SupportedExtensions();
    for (qsizetype i = 0; i < extensions.size(); ++i) {
        const QImage picture =
            associations.progIdIcon(associations.registeredProgId(extensions[i]));
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(picture)), captions()[i]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        m_list->addItem(item);
    }
}

void AssociationsSettingsPage::load(const Settings& settings)
{
    setTicks(settings.associations);
}

void AssociationsSettingsPage::save(Settings& settings) const
{
    const int count = std::min(m_list->count(), Settings::AssociationCount);
    for (int i = 0; i < count; ++i) {
        settings.associations[static_cast<std::size_t>(i)] =
            m_list->item(i)->checkState() == Qt::Checked;
    }
}

AssociationsSettingsPage::Ticks AssociationsSettingsPage::ticks() const
{
    Settings settings;
    save(settings);
    return settings.associations;
}

void AssociationsSettingsPage::setTicks(const Ticks& ticks)
{
    const int count = std::min(m_list->count(), Settings::AssociationCount);
    for (int i = 0; i < count; ++i) {
        m_list->item(i)->setCheckState(ticks[static_cast<std::size_t>(i)] ? Qt::Checked
                                                                          : Qt::Unchecked);
    }
}

AssociationsSettingsPage::Ticks AssociationsSettingsPage::audioPreset()
{
    static const QStringList audio = {
        QStringLiteral("wav"), QStringLiteral("mka"), QStringLiteral("mp3"), QStringLiteral("aac"),
        QStringLiteral("m4a"), QStringLiteral("ogg"), QStringLiteral("wma")};
    Ticks ticks{};
    const QStringList& extensions = SupportedExtensions();
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        ticks[i] = audio.contains(extensions[static_cast<qsizetype>(i)]);
    }
    return ticks;
}

AssociationsSettingsPage::Ticks AssociationsSettingsPage::videoPreset()
{
    Ticks ticks = audioPreset();
    for (bool& tick : ticks) {
        tick = !tick;
    }
    return ticks;
}

const QStringList& AssociationsSettingsPage::captions()
{
    static const QStringList captions = {
        QStringLiteral("Audio File (*.wav)"),
        QStringLiteral("Flash Video File (*.flv)"),
        QStringLiteral("Matroska Audio File (*.mka)"),
        QStringLiteral("Matroska Media File (*.mkv)"),
        QStringLiteral("Mp3 Format Sound(*.mp3)"),
        QStringLiteral("MPEG Media File (*.mpg)"),
        QStringLiteral("MPEG Media File (*.mpe)"),
        QStringLiteral("MPEG Media File (*.mpeg)"),
        QStringLiteral("MPEG4 Audio File (*.aac)"),
        QStringLiteral("MPEG4 Media File (*.mp4)"),
        QStringLiteral("MPEG4 Media File (*.m4v)"),
        QStringLiteral("MPEG4 Audio File (*.m4a)"),
        QStringLiteral("OGG Media File (*.ogm)"),
        QStringLiteral("OGG Vorbis Audio File (*.ogg)"),
        QStringLiteral("QuickTime File (*.mov)"),
        QStringLiteral("QuickTime File (*.hdmov)"),
        QStringLiteral("QuickTime File (*.qt)"),
        QStringLiteral("QuickTime File (*.3gp)"),
        QStringLiteral("QuickTime File (*.3gpp)"),
        QStringLiteral("QuickTime File (*.3g2)"),
        QStringLiteral("Video File (*.avi)"),
        QStringLiteral("Windows Audio File (*.wma)"),
        QStringLiteral("Windows Media File (*.wmv)"),
        QStringLiteral("Windows Media File (*.asf)"),
    };
    return captions;
}

void AssociationsSettingsPage::showEvent(QShowEvent* event)
{
    m_list->move(kListAt);
    QWidget::showEvent(event);
}

void AssociationsSettingsPage::hideEvent(QHideEvent* event)
{
    m_list->move(kListAway);
    QWidget::hideEvent(event);
}

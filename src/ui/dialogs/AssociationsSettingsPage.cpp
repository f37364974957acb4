#include "ui/dialogs/AssociationsSettingsPage.h"

#include "system/FileAssociations.h"
#include "util/SupportedFiles.h"

#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QStyle>

namespace {

// A label over a painted button: the button under it takes the click.
QLabel* buttonLabel(const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->adjustSize();
    return label;
}

} // namespace

AssociationsSettingsPage::AssociationsSettingsPage(QWidget* dialog) : QObject(dialog)
{
    lblFileExtensions = new QLabel(QStringLiteral("File Extensions:"), dialog);
    lblFileExtensions->adjustSize();
    LstViewIcons = new QListWidget(dialog);
    LstViewIcons->resize(337, 285);
    // List mode: small icons in columns, filled top to bottom.
    LstViewIcons->setViewMode(QListView::ListMode);
    LstViewIcons->setFlow(QListView::TopToBottom);
    LstViewIcons->setWrapping(true);
    LstViewIcons->setResizeMode(QListView::Adjust);
    LstViewIcons->setIconSize(QSize(16, 16));
    LstViewIcons->setPalette(dialog->style()->standardPalette());
    lblSelectAll = buttonLabel(QStringLiteral("Select All"), dialog);
    lblDeselectAll = buttonLabel(QStringLiteral("Deselect All"), dialog);
    lblAudioFiles = buttonLabel(QStringLiteral("Audio Files"), dialog);
    lblVideoFiles = buttonLabel(QStringLiteral("Video Files"), dialog);
}

void AssociationsSettingsPage::fillAssociationList(const FileAssociations& associations)
{
    LstViewIcons->clear();
    const QStringList& captions = SettingsForm::associationCaptions();
    const QStringList& extensions = SupportedExtensions();
    for (qsizetype i = 0; i < extensions.size(); ++i) {
        const QImage picture =
            associations.progIdIcon(associations.registeredProgId(extensions[i]));
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(picture)), captions[i]);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        LstViewIcons->addItem(item);
    }
}

void AssociationsSettingsPage::setTicks(const SettingsForm::Ticks& ticks)
{
    for (int i = 0; i < LstViewIcons->count(); ++i) {
        const bool tick =
            static_cast<std::size_t>(i) < ticks.size() && ticks[static_cast<std::size_t>(i)];
        LstViewIcons->item(i)->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
    }
}

void AssociationsSettingsPage::load(const SettingsForm& form)
{
    setTicks(form.associations);
}

void AssociationsSettingsPage::save(SettingsForm& form) const
{
    for (int i = 0;
         i < LstViewIcons->count() && static_cast<std::size_t>(i) < form.associations.size(); ++i) {
        form.associations[static_cast<std::size_t>(i)] =
            LstViewIcons->item(i)->checkState() == Qt::Checked;
    }
}

void AssociationsSettingsPage::showPage(bool shown)
{
    lblFileExtensions->move(30, 74);
    LstViewIcons->move(shown ? QPoint(30, 90) : QPoint(-400, -400));
    lblSelectAll->move(406, 95);
    lblDeselectAll->move(405, 132);
    lblAudioFiles->move(404, 168);
    lblVideoFiles->move(405, 206);
    for (QWidget* widget :
         {static_cast<QWidget*>(lblFileExtensions), static_cast<QWidget*>(LstViewIcons),
          static_cast<QWidget*>(lblSelectAll), static_cast<QWidget*>(lblDeselectAll),
          static_cast<QWidget*>(lblAudioFiles), static_cast<QWidget*>(lblVideoFiles)}) {
        widget->setVisible(shown);
    }
}

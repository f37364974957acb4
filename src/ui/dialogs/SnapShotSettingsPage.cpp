#include "ui/dialogs/SnapShotSettingsPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

bool storable(const QString& text)
{
    return !text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
           !text.contains(u'\n');
}

} // namespace

SnapShotSettingsPage::SnapShotSettingsPage(QWidget* parent)
    : QWidget(parent), m_chooseFolder([](QWidget* owner, const QString& start) {
          return QFileDialog::getExistingDirectory(owner, QStringLiteral("Snapshot Folder"), start);
      })
{
    // Moves over empty parts of the page reach the dialog's hover tracking.
    setMouseTracking(true);
    auto* box = new QGroupBox(QStringLiteral("SnapShot Options:"), this);
    box->setGeometry(30, 80, 440, 190);

    auto* pathLabel = new QLabel(QStringLiteral("Save snapshots in:"), box);
    pathLabel->setGeometry(12, 22, 200, 18);
    m_path = new QLineEdit(box);
    m_path->setObjectName(QStringLiteral("snapshotPath"));
    m_path->setGeometry(12, 42, 330, 22);
    m_browse = new QPushButton(QStringLiteral("Browse..."), box);
    m_browse->setObjectName(QStringLiteral("snapshotBrowse"));
    m_browse->setGeometry(350, 42, 78, 22);
    connect(m_browse, &QPushButton::clicked, this, &SnapShotSettingsPage::browse);

    auto* prefixLabel = new QLabel(QStringLiteral("File name prefix:"), box);
    prefixLabel->setGeometry(12, 74, 120, 18);
    m_prefix = new QLineEdit(box);
    m_prefix->setObjectName(QStringLiteral("snapshotPrefix"));
    m_prefix->setGeometry(140, 72, 120, 22);

    auto* formatLabel = new QLabel(QStringLiteral("Format:"), box);
    formatLabel->setGeometry(12, 106, 120, 18);
    auto* formats = new QButtonGroup(this);
    m_jpg = new QRadioButton(QStringLiteral("JPG"), box);
    m_jpg->setObjectName(QStringLiteral("snapshotJpg"));
    m_jpg->setGeometry(140, 104, 60, 20);
    m_png = new QRadioButton(QStringLiteral("PNG"), box);
    m_png->setObjectName(QStringLiteral("snapshotPng"));
    m_png->setGeometry(210, 104, 60, 20);
    formats->addButton(m_jpg);
    formats->addButton(m_png);

    m_preview = new QCheckBox(QStringLiteral("Show a preview of each snapshot."), box);
    m_preview->setObjectName(QStringLiteral("snapshotPreview"));
    m_preview->setGeometry(12, 138, 400, 20);
}

void SnapShotSettingsPage::load(const Settings& settings)
{
    m_path->setText(settings.snapshotPath);
    m_prefix->setText(settings.snapshotPrefix);
    // Any value but JPG's takes PNG snapshots.
    const bool jpg = settings.snapshotFormat == SnapshotFormat::Jpg;
    m_jpg->setChecked(jpg);
    m_png->setChecked(!jpg);
    m_preview->setChecked(settings.snapshotPreview);
}

void SnapShotSettingsPage::save(Settings& settings) const
{
    const QString path = m_path->text().trimmed();
    if (!path.isEmpty() && storable(path)) {
        settings.snapshotPath = path;
    }
    const QString prefix = m_prefix->text();
    if (storable(prefix) && !prefix.contains(u'/') && !prefix.startsWith(u' ')) {
        settings.snapshotPrefix = prefix;
    }
    const bool wasJpg = settings.snapshotFormat == SnapshotFormat::Jpg;
    if (m_jpg->isChecked() != wasJpg) {
        settings.snapshotFormat = m_jpg->isChecked() ? SnapshotFormat::Jpg : SnapshotFormat::Png;
    }
    settings.snapshotPreview = m_preview->isChecked();
}

void SnapShotSettingsPage::browse()
{
    const QString chosen = m_chooseFolder(this, m_path->text());
    if (!chosen.isEmpty()) {
        m_path->setText(chosen);
    }
}

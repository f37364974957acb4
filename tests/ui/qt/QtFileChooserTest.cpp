#include "ui/qt/QtFileChooser.h"

#include "QtPrinters.h"
#include "playlist/OpenDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// Waits for the modal file dialog to appear, then hands it to the step, which must accept or
// reject it. Gives up (and rejects) after a few seconds so a broken dialog cannot hang the run.
void whenDialogShows(std::function<void(QFileDialog*)> step)
{
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, step] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            step(dialog);
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the file dialog did not show";
        }
    });
    timer->start(10);
}

// The names the dialog lists for its current folder and filter, once it has read the folder.
QStringList listedNames(QFileDialog* dialog)
{
    auto* view = dialog->findChild<QListView*>("listView");
    if (!view) {
        return {};
    }
    QStringList names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row) {
        const QModelIndex index = view->model()->index(row, 0, root);
        if (!view->isRowHidden(row)) {
            names << index.data().toString();
        }
    }
    names.sort();
    return names;
}

struct Folder
{
    Folder()
    {
        for (const char* name : {"a.avi", "b.mkv", "C.AVI", "notes.txt"}) {
            touch(dir.filePath(name));
        }
    }
    QTemporaryDir dir;
};

const QStringList kExtensions = {"wav", "mkv", "avi"};

} // namespace

TEST(QtFileChooser, ShowsTitleFiltersAndFolderAndReturnsTheTypedOrder)
{
    Folder folder;
    QtFileChooser chooser;
    const QStringList filters = OpenDialog::nameFilters(OpenDialog::buildFilterText(kExtensions));

    whenDialogShows([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Open Video File");
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
        EXPECT_EQ(dialog->nameFilters(), filters);
        EXPECT_EQ(dialog->selectedNameFilter(), filters.first());
        EXPECT_EQ(QDir(dialog->directory()).canonicalPath(),
                  QDir(folder.dir.path()).canonicalPath());
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText("\"b.mkv\" \"a.avi\"");
        static_cast<QDialog*>(dialog)->accept();
    });
    const QStringList chosen =
        chooser.chooseExistingFiles("Open Video File", filters, folder.dir.path());
    ASSERT_EQ(chosen.size(), 2);
    EXPECT_EQ(QFileInfo(chosen[0]).canonicalFilePath(),
              QFileInfo(folder.dir.filePath("b.mkv")).canonicalFilePath());
    EXPECT_EQ(QFileInfo(chosen[1]).canonicalFilePath(),
              QFileInfo(folder.dir.filePath("a.avi")).canonicalFilePath());
}

TEST(QtFileChooser, CancelGivesNothing)
{
    Folder folder;
    QtFileChooser chooser;
    whenDialogShows([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_TRUE(chooser.chooseExistingFiles("t", {"AVI (*.avi)"}, folder.dir.path()).isEmpty());
}

TEST(QtFileChooser, AMissingFileIsNotChosen)
{
    Folder folder;
    QtFileChooser chooser;
    whenDialogShows([&](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"gone.avi\" \"a.avi\"");
        static_cast<QDialog*>(dialog)->accept();
    });
    const QStringList chosen = chooser.chooseExistingFiles("t", {"AVI (*.avi)"}, folder.dir.path());
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(QFileInfo(chosen[0]).fileName(), "a.avi");
}

TEST(QtFileChooser, FiltersIgnoreLetterCase)
{
    Folder folder;
    QtFileChooser chooser;
    QStringList listed;
    whenDialogShows([&](QFileDialog* dialog) {
        // The folder is read in the background: wait for it, without blocking the dialog.
        auto* poll = new QTimer(dialog);
        auto tries = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, [&, dialog, poll, tries] {
            listed = listedNames(dialog);
            if (listed.size() >= 3 || ++*tries > 300) {
                poll->stop();
                dialog->reject();
            }
        });
        poll->start(10);
    });
    chooser.chooseExistingFiles(
        "t", OpenDialog::nameFilters(OpenDialog::buildFilterText(kExtensions)), folder.dir.path());
    EXPECT_EQ(listed, (QStringList{"C.AVI", "a.avi", "b.mkv"}));
}

TEST(QtFileChooser, TheOpenDialogStartsWhereTheLastChoiceWas)
{
    Folder folder;
    QtFileChooser chooser;
    OpenDialog dialog(chooser);
    const QString path = folder.dir.filePath("C.AVI");
    whenDialogShows([&](QFileDialog* fileDialog) {
        fileDialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        static_cast<QDialog*>(fileDialog)->accept();
    });
    const QList<ChosenFile> chosen = dialog.chooseMediaFiles(kExtensions, kExtensions);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(chosen[0].fileName, "C.AVI");
    EXPECT_EQ(QFileInfo(chosen[0].fullPath).canonicalFilePath(),
              QFileInfo(path).canonicalFilePath());
    EXPECT_EQ(QDir(dialog.lastDialogFolder()).canonicalPath(),
              QDir(folder.dir.path()).canonicalPath());

    QString startedIn;
    whenDialogShows([&](QFileDialog* fileDialog) {
        startedIn = fileDialog->directory().canonicalPath();
        fileDialog->reject();
    });
    EXPECT_TRUE(dialog.chooseMediaFiles(kExtensions, kExtensions).isEmpty());
    EXPECT_EQ(startedIn, QDir(folder.dir.path()).canonicalPath());
    EXPECT_EQ(QDir(dialog.lastDialogFolder()).canonicalPath(),
              QDir(folder.dir.path()).canonicalPath());
}

TEST(QtFileChooser, EveryFileChosenInTheListArrivesWhateverItsName)
{
    Folder folder;
    const QStringList awkward = {"say \"hi\".avi", "x=y.avi", "a.avi", "\"quoted\".avi"};
    for (const QString& name : awkward) {
        touch(folder.dir.filePath(name));
    }
    QtFileChooser chooser;
    whenDialogShows([&](QFileDialog* dialog) {
        auto* poll = new QTimer(dialog);
        auto tries = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, [dialog, poll, tries, &awkward] {
            auto* view = dialog->findChild<QListView*>("listView");
            if (listedNames(dialog).size() < 5 && ++*tries < 300) {
                return;
            }
            poll->stop();
            // The state a user's clicks leave: the rows selected, and the name field holding
            // them quoted as the dialog writes it.
            QStringList field;
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < view->model()->rowCount(root); ++row) {
                const QModelIndex index = view->model()->index(row, 0, root);
                if (awkward.contains(index.data().toString())) {
                    view->selectionModel()->select(index, QItemSelectionModel::Select |
                                                              QItemSelectionModel::Rows);
                    field << '"' + index.data().toString() + '"';
                }
            }
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(field.join(' '));
            static_cast<QDialog*>(dialog)->accept();
            // A dialog that refuses to close gives nothing, rather than hanging the run.
            QTimer::singleShot(500, dialog, [dialog] { dialog->reject(); });
        });
        poll->start(10);
    });
    QStringList names;
    for (const QString& path :
         chooser.chooseExistingFiles("t", {"AVI (*.avi)"}, folder.dir.path())) {
        names << QFileInfo(path).fileName();
    }
    names.sort();
    QStringList expected = awkward;
    expected.sort();
    EXPECT_EQ(names, expected);
}

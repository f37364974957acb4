#include "ui/playlistview/FancyList.h"

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

const QColor BaseColour(250, 250, 250);
const QColor HighlightColour(10, 20, 200);
const QColor ButtonColour(160, 160, 160);
const QColor PictureColour(220, 0, 0);

QImage solidPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(PictureColour);
    return picture;
}

class FancyListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QPalette colours = list.palette();
        colours.setColor(QPalette::Base, BaseColour);
        colours.setColor(QPalette::Highlight, HighlightColour);
        colours.setColor(QPalette::HighlightedText, Qt::white);
        colours.setColor(QPalette::Button, ButtonColour);
        colours.setColor(QPalette::ButtonText, Qt::black);
        list.setPalette(colours);
        list.setItemHeight(80);
        list.setImageWidth(64);
        list.setImageHeight(64);
        list.resize(300, 400);
        list.show();
    }

    void add(const QString& title, const QImage& picture = QImage())
    {
        list.model()->append(PlaylistEntry{title, picture, {}, {}});
    }

    void fill(int count)
    {
        for (int i = 0; i < count; ++i) {
            add(QStringLiteral("item %1").arg(i));
        }
    }

    QImage paint()
    {
        QImage image(list.size(), QImage::Format_RGB32);
        image.fill(Qt::green);
        list.render(&image);
        return image;
    }

    void sendWheel(int delta)
    {
        QWheelEvent wheel(QPointF(50, 50), list.mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&list, &wheel);
    }

    FancyList list;
};

TEST_F(FancyListTest, StartsEmptyWithDefaults)
{
    FancyList fresh;
    EXPECT_EQ(fresh.count(), 0);
    EXPECT_EQ(fresh.selectedItem(), -1);
    EXPECT_EQ(fresh.selectedText(), QString());
    EXPECT_EQ(fresh.itemHeight(), 64);
    EXPECT_EQ(fresh.padding(), 8);
    EXPECT_EQ(fresh.imageWidth(), 0);
    EXPECT_EQ(fresh.imageHeight(), 0);
    EXPECT_TRUE(fresh.thumbnails());
    EXPECT_FALSE(fresh.isScrollBarShown());
    EXPECT_EQ(fresh.scrollMaximum(), 0);
}

TEST_F(FancyListTest, ScrollBarAppearsWhenRowsOverflow)
{
    fill(5);
    EXPECT_FALSE(list.isScrollBarShown());
    EXPECT_EQ(list.scrollMaximum(), 0);
    add(QStringLiteral("sixth"));
    EXPECT_TRUE(list.isScrollBarShown());
    EXPECT_EQ(list.scrollMaximum(), 80);
    list.scrollBar()->setValue(80);
    EXPECT_TRUE(list.isScrollBarShown());
    EXPECT_EQ(list.scrollOffset(), 80);

    // Shrinking the list pulls the offset back into the new range.
    list.model()->removeAt(0);
    EXPECT_FALSE(list.isScrollBarShown());
    EXPECT_EQ(list.scrollOffset(), 0);

    // Resizing recomputes the range too.
    add(QStringLiteral("again"));
    list.resize(300, 480);
    EXPECT_FALSE(list.isScrollBarShown());
    EXPECT_EQ(list.scrollMaximum(), 0);
}

TEST_F(FancyListTest, ScrollBarSitsOnTheRightEdge)
{
    fill(6);
    const QRect bar = list.scrollBar()->geometry();
    EXPECT_EQ(bar.right() + 1, 300 - 4);
    EXPECT_EQ(bar.height(), 400 - 4);
}

TEST_F(FancyListTest, LongListsScrollPastSixteenBits)
{
    fill(10000);
    EXPECT_EQ(list.scrollMaximum(), 799600);
    list.scrollBar()->setValue(799600);
    EXPECT_EQ(list.scrollOffset(), 799600);
    // The last row is reachable by the mouse.
    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 390));
    EXPECT_EQ(list.selectedItem(), 9999);
}

TEST_F(FancyListTest, SelectedItemAcceptsOnlyExistingIndexes)
{
    fill(3);
    list.setSelectedItem(1);
    EXPECT_EQ(list.selectedItem(), 1);
    EXPECT_EQ(list.selectedText(), QStringLiteral("item 1"));
    list.setSelectedItem(-1);
    EXPECT_EQ(list.selectedItem(), 1);
    list.setSelectedItem(3);
    EXPECT_EQ(list.selectedItem(), 1);
}

TEST_F(FancyListTest, TheLeftAndRightButtonsSelectTheirRow)
{
    fill(4);
    QSignalSpy downs(&list, &FancyList::pointerPressed);
    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 170));
    EXPECT_EQ(list.selectedItem(), 2);
    // The popup that a right-click opens acts on the row it was opened on.
    QTest::mouseClick(&list, Qt::RightButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(list.selectedItem(), 0);
    QTest::mouseClick(&list, Qt::MiddleButton, Qt::NoModifier, QPoint(20, 170));
    EXPECT_EQ(list.selectedItem(), 0);

    // MouseDown reaches the host for every button, after the selection step.
    ASSERT_EQ(downs.count(), 3);
    EXPECT_EQ(downs.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(downs.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(downs.at(1).at(2).toPointF(), QPointF(20, 10));
}

TEST_F(FancyListTest, MouseDownSeesTheNewSelection)
{
    fill(4);
    int seen = -2;
    QObject::connect(&list, &FancyList::pointerPressed, &list, [&] { seen = list.selectedItem(); });
    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 250));
    EXPECT_EQ(seen, 3);
}

TEST_F(FancyListTest, ClickSelectsTheRowUnderThePointerWhenScrolled)
{
    fill(20);
    list.scrollBar()->setValue(100);
    QSignalSpy clicks(&list, &FancyList::entryClicked);
    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 70));
    EXPECT_EQ(list.selectedItem(), 2); // 170 / 80
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FancyListTest, LeftClickBelowTheLastRowClearsTheSelection)
{
    fill(2);
    list.setSelectedItem(1);
    QSignalSpy clicks(&list, &FancyList::entryClicked);
    QTest::mouseClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 300));
    EXPECT_EQ(list.selectedItem(), -1);
    EXPECT_EQ(list.selectedText(), QString());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FancyListTest, DoubleClickReportsAndSelectsTheRow)
{
    fill(4);
    QSignalSpy doubles(&list, &FancyList::entryDoubleClicked);
    int selectedAtDouble = -2;
    QObject::connect(&list, &FancyList::entryDoubleClicked, &list,
                     [&] { selectedAtDouble = list.selectedItem(); });
    QTest::mouseDClick(&list, Qt::LeftButton, Qt::NoModifier, QPoint(20, 100));
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(selectedAtDouble, 1);
}

TEST_F(FancyListTest, ClearEmptiesEverything)
{
    fill(8);
    list.setSelectedItem(7);
    list.scrollBar()->setValue(240);
    list.model()->clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selectedItem(), -1);
    EXPECT_FALSE(list.isScrollBarShown());
    EXPECT_EQ(list.scrollMaximum(), 0);
    EXPECT_EQ(list.scrollOffset(), 0);
}

TEST_F(FancyListTest, RowHeightBelowOneIsIgnored)
{
    fill(6);
    list.setItemHeight(0);
    list.setItemHeight(-5);
    EXPECT_EQ(list.itemHeight(), 80);
    list.setItemHeight(40);
    EXPECT_EQ(list.scrollMaximum(), 0);
    EXPECT_FALSE(list.isScrollBarShown());
}

TEST_F(FancyListTest, DropOfLocalFilesReportsTheirPaths)
{
    QSignalSpy drops(&list, &FancyList::filesDropped);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/media/a clip.mp4")),
                  QUrl(QStringLiteral("https://example.org/b.mkv")),
                  QUrl::fromLocalFile(QStringLiteral("/media/c.TXT"))});
    QDragEnterEvent enter(QPoint(30, 40), Qt::CopyAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&list, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(30, 40), Qt::CopyAction, &data, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(&list, &drop);
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops.at(0).at(0).toStringList(),
              (QStringList{QStringLiteral("/media/a clip.mp4"), QStringLiteral("/media/c.TXT")}));
    EXPECT_EQ(drops.at(0).at(2).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(drops.at(0).at(3).toPointF(), QPointF(30, 40));
    EXPECT_TRUE(drop.isAccepted());
}

TEST_F(FancyListTest, DropWithoutLocalFilesIsRefused)
{
    QSignalSpy drops(&list, &FancyList::filesDropped);
    QMimeData data;
    data.setText(QStringLiteral("/media/a.mp4"));
    QDragEnterEvent enter(QPoint(30, 40), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(&list, &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(30, 40), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&list, &drop);
    EXPECT_EQ(drops.count(), 0);
}

TEST_F(FancyListTest, WheelMovesOneRowPerNotch)
{
    fill(20);
    const int row = list.itemHeight();
    const struct
    {
        int delta;
        int offset;
    } steps[] = {{-120, row},          {-120, 2 * row}, {120, row},
                 {-60, row + row / 2}, {12000, 0},      {-120000, -1}};
    for (const auto& step : steps) {
        sendWheel(step.delta);
        EXPECT_EQ(list.scrollOffset(), step.offset < 0 ? list.scrollMaximum() : step.offset)
            << "delta " << step.delta;
    }
}

TEST_F(FancyListTest, ScrollKeepsItsSixteenthsForItsCallers)
{
    fill(20);
    list.scrollBy(-120);
    EXPECT_EQ(list.scrollOffset(), 8); // 7.5
    list.scrollBy(-120);
    EXPECT_EQ(list.scrollOffset(), 16); // 15.5
    list.scrollBy(120);
    EXPECT_EQ(list.scrollOffset(), 8); // 8.5
}

TEST_F(FancyListTest, WheelOnAShortListStaysAtTheTop)
{
    fill(3);
    sendWheel(-120);
    EXPECT_EQ(list.scrollOffset(), 0);
}

TEST_F(FancyListTest, PaintsSelectedRowInHighlightAndSeparatesOthers)
{
    fill(3);
    list.setSelectedItem(1);
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(290, 120), HighlightColour);
    EXPECT_EQ(image.pixelColor(290, 40), BaseColour);
    EXPECT_EQ(image.pixelColor(150, 79), ButtonColour);  // under row 0
    EXPECT_EQ(image.pixelColor(150, 159), BaseColour);   // no line under the selected row
    EXPECT_EQ(image.pixelColor(150, 239), ButtonColour); // under row 2
    EXPECT_EQ(image.pixelColor(150, 300), BaseColour);   // cleared below the rows
}

TEST_F(FancyListTest, PaintsFromTheScrollOffset)
{
    fill(20);
    list.setSelectedItem(5);
    list.scrollBar()->setValue(400);
    const QImage image = paint();
    EXPECT_EQ(image.pixelColor(150, 40), HighlightColour);
    EXPECT_EQ(image.pixelColor(150, 120), BaseColour);
}

TEST_F(FancyListTest, DrawsThumbnailFittedOnBlack)
{
    add(QStringLiteral("wide"), solidPicture(128, 72));
    QImage image = paint();
    // Box at (8, 8) 64 × 64; the picture lands 64 × 36 at y 22.
    EXPECT_EQ(image.pixelColor(40, 40), PictureColour);
    EXPECT_EQ(image.pixelColor(40, 23), PictureColour);
    EXPECT_EQ(image.pixelColor(40, 12), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(40, 68), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(4, 40), BaseColour);

    list.setThumbnails(false);
    image = paint();
    EXPECT_EQ(image.pixelColor(40, 40), BaseColour);
}

TEST_F(FancyListTest, DrawsCaptionBesideThePicture)
{
    add(QStringLiteral("WWWWWWWW"));
    add(QString());
    const QImage image = paint();
    auto inked = [&](int top) {
        for (int y = top + 8; y < top + 79; ++y) {
            for (int x = 0; x < 300; ++x) {
                if (image.pixelColor(x, y) != BaseColour) {
                    return x;
                }
            }
        }
        return -1;
    };
    const int firstInk = inked(0);
    EXPECT_GE(firstInk, 80); // text starts right of the 64-pixel picture box and padding
    EXPECT_LT(firstInk, 100);
    EXPECT_EQ(inked(80), -1);
}

TEST(FancyListDrawerTest, FitsATallPictureOnBlack)
{
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        FancyListDrawer().drawThumb(painter, solidPicture(72, 128), QRect(0, 0, 64, 64));
    }
    EXPECT_EQ(image.pixelColor(32, 32), PictureColour);
    EXPECT_EQ(image.pixelColor(15, 32), PictureColour);
    EXPECT_EQ(image.pixelColor(49, 32), PictureColour);
    EXPECT_EQ(image.pixelColor(12, 32), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(52, 32), QColor(Qt::black));
}

// Rows with paths, as the playlist fills them; the fixture's list shows its own model.
class FancyListPlaylistTest : public FancyListTest
{
protected:
    void addFiles(const QStringList& titles)
    {
        for (const QString& title : titles) {
            list.model()->append(PlaylistEntry{title, {}, "/m/" + title, {}});
        }
    }

    // The rightmost pixel of a row's caption area that is not the background, -1 for none.
    static int lastInk(const QImage& image, int row, const QColor& background = BaseColour)
    {
        int last = -1;
        for (int y = row * 80 + 8; y < row * 80 + 78; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                last = image.pixelColor(x, y) != background ? std::max(last, x) : last;
            }
        }
        return last;
    }

    void moveTo(const QPoint& at)
    {
        QMouseEvent move(QEvent::MouseMove, at, list.mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&list, &move);
    }

    void drag(const QPoint& from, const QPoint& to)
    {
        QTest::mousePress(&list, Qt::LeftButton, Qt::NoModifier, from);
        moveTo((from + to) / 2);
        moveTo(to);
        QTest::mouseRelease(&list, Qt::LeftButton, Qt::NoModifier, to);
    }
};

TEST_F(FancyListPlaylistTest, ThePlayingRowIsMarkedInEveryModeAndFollowsItsEntry)
{
    // Rows without captions: whatever ink a row shows is the mark.
    addFiles({"", "1", "2"});
    list.model()->setPlayingPath("/m/1");
    for (const bool thumbnails : {true, false}) {
        for (const int selected : {1, 0}) {
            list.setThumbnails(thumbnails);
            list.setSelectedItem(selected);
            const QImage image = paint();
            EXPECT_GE(lastInk(image, 1, selected == 1 ? HighlightColour : BaseColour), 0)
                << "thumbnails " << thumbnails << ", selected " << selected;
        }
    }
    list.model()->clear();
    addFiles({"alpha", "beta", "gamma"});
    const int plain = lastInk(paint(), 0);
    list.model()->setPlayingPath("/m/alpha");
    // The marked caption stands right of the mark, in bold: its ink reaches further.
    const int marked = lastInk(paint(), 0);
    EXPECT_GT(marked, plain);
    list.model()->move(0, 2);
    const QImage image = paint();
    EXPECT_EQ(lastInk(image, 2), marked);
    EXPECT_LT(lastInk(image, 0), marked);
    list.model()->setPlayingPath(QString());
    EXPECT_EQ(lastInk(paint(), 2), plain);
}

TEST_F(FancyListPlaylistTest, DraggingARowMovesItsEntryAndIsNoClick)
{
    addFiles({"a.mkv", "b.mkv", "c.mkv", "d.mkv"});
    QSignalSpy clicked(&list, &FancyList::entryClicked);
    drag(QPoint(40, 30), QPoint(40, 235)); // row 0 into the gap between rows 2 and 3
    EXPECT_EQ(list.model()->paths(), QStringList({"/m/b.mkv", "/m/c.mkv", "/m/a.mkv", "/m/d.mkv"}));
    EXPECT_EQ(list.selectedText(), "a.mkv");
    EXPECT_EQ(clicked.size(), 0);
    drag(QPoint(40, 270), QPoint(40, -50)); // upwards, past the top
    EXPECT_EQ(list.model()->paths(), QStringList({"/m/d.mkv", "/m/b.mkv", "/m/c.mkv", "/m/a.mkv"}));
    // Within the drag distance it is a click; from below the rows there is nothing to drag.
    drag(QPoint(40, 30), QPoint(40, 30 + QApplication::startDragDistance() - 1));
    drag(QPoint(40, 350), QPoint(40, 10));
    EXPECT_EQ(clicked.size(), 2);
    EXPECT_EQ(list.model()->title(0), "d.mkv");
}

TEST_F(FancyListPlaylistTest, ARowDraggedPastTheBottomScrollsTheListAlong)
{
    for (int i = 0; i < 12; ++i) {
        addFiles({QString("%1.mkv").arg(i)});
    }
    QTest::mousePress(&list, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
    for (int step = 0; step < 40; ++step) {
        moveTo(QPoint(40, 420)); // below the 400-pixel list, each move one step further
    }
    EXPECT_EQ(list.scrollOffset(), list.scrollMaximum());
    QTest::mouseRelease(&list, Qt::LeftButton, Qt::NoModifier, QPoint(40, 420));
    EXPECT_EQ(list.model()->title(11), "0.mkv");
}

TEST_F(FancyListPlaylistTest, ARowRemovedWhileDraggedIsNotDropped)
{
    addFiles({"a.mkv", "b.mkv", "c.mkv"});
    QTest::mousePress(&list, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
    moveTo(QPoint(40, 120));
    EXPECT_EQ(list.dropSlot(), 2);
    EXPECT_EQ(paint().pixelColor(150, 160), QColor(Qt::white)) << "the line across the gap";
    list.model()->removeAt(0); // a Remove All or a hand-over while the button is down
    moveTo(QPoint(40, 230));
    QTest::mouseRelease(&list, Qt::LeftButton, Qt::NoModifier, QPoint(40, 230));
    EXPECT_EQ(list.model()->paths(), QStringList({"/m/b.mkv", "/m/c.mkv"}));
}

TEST_F(FancyListPlaylistTest, HoveringARowShowsItsWholeNameDurationAndSize)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("A film whose name is far too long for the list.mkv");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, 'x'));
    file.close();
    addFiles({"short.mkv"});
    list.model()->append(PlaylistEntry{"title", {}, path, "Duration  : 75"});
    QHelpEvent help(QEvent::ToolTip, QPoint(40, 100), list.mapToGlobal(QPoint(40, 100)));
    QApplication::sendEvent(&list, &help);
    EXPECT_EQ(QToolTip::text(),
              "A film whose name is far too long for the list.mkv\nDuration: 1:15\nSize: 2.0 KB");
    QHelpEvent below(QEvent::ToolTip, QPoint(40, 300), list.mapToGlobal(QPoint(40, 300)));
    QApplication::sendEvent(&list, &below);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000));
}

} // namespace

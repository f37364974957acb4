#include "ui/dialogs/AboutBox.h"

#include "skin/SkinImages.h"
#include "skin/SkinPainter.h"
#include "util/Version.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using G = AboutBoxGeometry;
using R = AboutRegion;
constexpr ButtonState N = ButtonState::Normal;

class AboutBoxTest : public ::testing::Test
{
protected:
    AboutBoxTest()
        : box([this](QPainter&, int slot, const QRect&) { painted << slot; },
              [this](const QUrl& url) { opened << url; })
    {
        box.move(100, 100);
        box.show();
    }

    // A move with no button held, as the pointer makes it.
    void moveTo(QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), box.mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &move);
    }

    QPoint okFace() const { return G::hitRects(G::Width, G::Height)[R::OkButton].center(); }
    ButtonState state(R region) const { return box.buttonStates().state(region); }

    QList<int> painted;
    QList<QUrl> opened;
    AboutBox box;
};

} // namespace

TEST_F(AboutBoxTest, PaintsEveryPieceInOrderAndPlacesTheOkText)
{
    painted.clear();
    box.grab();
    EXPECT_EQ(painted, (QList<int>{15, 186, 0, 2, G::BottomStripSlot, 1, 200, 196}));
    EXPECT_EQ(box.size(), QSize(416, 213));
    EXPECT_EQ(box.okLabel()->geometry(), QRect(364, 175, 60, 30));
    EXPECT_TRUE(box.isModal());
}

TEST_F(AboutBoxTest, VersionLineStandsClearOfTheOtherTextsAndTheOkButton)
{
    const QLabel* version = box.versionLabel();
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Version " + korvane::version());
    EXPECT_TRUE(box.rect().contains(version->geometry()));
    // The whole text fits its label.
    EXPECT_LE(version->fontMetrics().horizontalAdvance(version->text()), version->width());
    const QRect ok = G::hitRects(G::Width, G::Height)[R::OkButton];
    EXPECT_FALSE(version->geometry().intersects(ok));
    for (const char* name : {"caption", "description", "basedOn", "videoLanLink", "okText"}) {
        EXPECT_FALSE(version->geometry().intersects(box.findChild<QLabel*>(name)->geometry()))
            << name;
    }
}

TEST_F(AboutBoxTest, PressAndReleaseOnOkCloses)
{
    QSignalSpy done(&box, &QDialog::finished);
    QTest::mousePress(&box, Qt::LeftButton, {}, okFace());
    EXPECT_EQ(state(R::OkButton), ButtonState::Pressed);
    QTest::mouseRelease(&box, Qt::LeftButton, {}, okFace());
    EXPECT_EQ(done.size(), 1);
}

TEST_F(AboutBoxTest, ReleasingOffTheFaceKeepsTheBoxAndThePressedLook)
{
    QSignalSpy done(&box, &QDialog::finished);
    QTest::mousePress(&box, Qt::LeftButton, {}, okFace());
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(200, 100));
    EXPECT_EQ(done.size(), 0);
    EXPECT_EQ(state(R::OkButton), ButtonState::Pressed);
    moveTo(QPoint(201, 101));
    EXPECT_EQ(state(R::OkButton), N);
    EXPECT_EQ(state(R::CloseButton), N);
    moveTo(okFace());
    EXPECT_EQ(state(R::OkButton), ButtonState::Over);
    EXPECT_EQ(state(R::CaptionStrip), N);
}

TEST_F(AboutBoxTest, CloseButtonAndOkTextClose)
{
    const struct
    {
        const char* name;
        std::function<void(AboutBox&)> act;
        int closes;
    } cases[] = {
        {"close button",
         [](AboutBox& b) {
             const QPoint at = G::hitRects(G::Width, G::Height)[R::CloseButton].center();
             QTest::mouseClick(&b, Qt::LeftButton, {}, at);
         },
         1},
        {"OK text", [](AboutBox& b) { QTest::mouseClick(b.okLabel(), Qt::LeftButton); }, 1},
        {"caption strip",
         [](AboutBox& b) { QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(20, 10)); }, 0},
        {"body", [](AboutBox& b) { QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(60, 150)); },
         0},
    };
    for (const auto& c : cases) {
        AboutBox fresh(nullptr, nullptr);
        fresh.show();
        QSignalSpy done(&fresh, &QDialog::finished);
        c.act(fresh);
        EXPECT_EQ(done.size(), c.closes) << c.name;
    }
}

TEST_F(AboutBoxTest, TheLinkOpensVideoLanAndTheBoxStays)
{
    QSignalSpy done(&box, &QDialog::finished);
    QTest::mouseClick(box.linkLabel(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl("https://www.videolan.org/"));
    EXPECT_EQ(done.size(), 0);
}

TEST_F(AboutBoxTest, DraggedByTheStripButNotByTheCaptionText)
{
    const QPoint start = box.pos();
    auto* caption = box.findChild<QLabel*>("caption");
    ASSERT_NE(caption, nullptr);
    QTest::mousePress(caption, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(state(R::CaptionStrip), N);

    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(state(R::CaptionStrip), ButtonState::Pressed);
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 40), box.mapToGlobal(QPointF(60, 40)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &move);
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(60, 40));
    // Where a window manager moves the box itself, the move is its own business.
    if (box.pos() != start) {
        EXPECT_EQ(box.pos(), start + QPoint(40, 30));
    }
}

TEST_F(AboutBoxTest, ReturnAndEscapeCloseAsOkDoes)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        AboutBox fresh(nullptr, nullptr);
        fresh.show();
        QSignalSpy done(&fresh, &QDialog::finished);
        QTest::keyClick(&fresh, key);
        ASSERT_EQ(done.size(), 1) << key;
        EXPECT_EQ(done[0][0].toInt(), QDialog::Accepted) << key;
    }
    AboutBox fresh(nullptr, nullptr);
    fresh.show();
    QSignalSpy done(&fresh, &QDialog::finished);
    QTest::keyClick(&fresh, Qt::Key_Space);
    EXPECT_EQ(done.size(), 0);
}

namespace {

double luminance(QColor c)
{
    const auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(AboutBoxSkin, TextsAreReadableOnTheSkin)
{
    SkinImages images;
    images.loadSkinImages(KORVANE_BIN_DIR "/");
    AboutBox box(
        [&images](QPainter& painter, int slot, const QRect& rect) {
            SkinPainter::drawSkinImage(painter, images.slot(slot), rect.x(), rect.y(), rect.width(),
                                       rect.height());
        },
        nullptr);
    // The skin alone, under where each text stands: the worst pixel counts.
    for (const char* name : {"description", "basedOn", "videoLanLink", "version"}) {
        box.findChild<QLabel*>(name)->hide();
    }
    const QImage skin = box.grab().toImage();
    for (const char* name : {"description", "basedOn", "videoLanLink", "version"}) {
        const QLabel* label = box.findChild<QLabel*>(name);
        const QColor text = label->palette().color(QPalette::WindowText);
        double worst = 100;
        const QRect area = label->geometry() & skin.rect();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                worst = std::min(worst, contrast(text, skin.pixelColor(x, y)));
            }
        }
        EXPECT_GE(worst, 4.5) << name << " " << text.name().toStdString();
    }
}

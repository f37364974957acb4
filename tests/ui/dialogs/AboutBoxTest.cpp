#include "ui/dialogs/AboutBox.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
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

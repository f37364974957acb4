#include "ui/qt/QtUserMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

int boxesOnScreen()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<QMessageBox*>(widget) && widget->isVisible() ? 1 : 0;
    }
    return count;
}

} // namespace

TEST(QtUserMessages, TheSameMessageShowsOnceWhileItIsOpenAndAgainAfterwards)
{
    using Icon = UserMessages::Icon;
    QWidget owner;
    {
        QtUserMessages messages(&owner);
        for (int i = 0; i < 200; ++i) {
            messages.show(Icon::Information, "Media Player",
                          "\"a.mkv\" is already in your playlist");
        }
        messages.show(Icon::Information, "Media Player", "\"b.mkv\" is already in your playlist");
        messages.show(Icon::Warning, "Media Player", "\"b.mkv\" is already in your playlist");
        EXPECT_EQ(messages.openCount(), 3);
        EXPECT_EQ(boxesOnScreen(), 3);

        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget);
                box && box->text().startsWith("\"a.mkv\"")) {
                box->close();
            }
        }
        EXPECT_EQ(messages.openCount(), 2);
        messages.show(Icon::Information, "Media Player", "\"a.mkv\" is already in your playlist");
        EXPECT_EQ(messages.openCount(), 3) << "closed, it may show again, even before it is gone";
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        messages.show(Icon::Information, "Media Player", "\"a.mkv\" is already in your playlist");
        EXPECT_EQ(messages.openCount(), 3) << "the closed box going does not forget the new one";
        EXPECT_EQ(boxesOnScreen(), 3);
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget)) {
            delete widget;
        }
    }
}

TEST(QtUserMessages, ABoxClosedAndGoneLeavesNothingBehind)
{
    QWidget owner;
    QtUserMessages messages(&owner);
    messages.show(UserMessages::Icon::Warning, "Options", "These could not be saved");
    ASSERT_EQ(messages.openCount(), 1);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget)) {
            widget->close();
        }
    }
    // The box is deleted while its entry still names it: the entry must be read without
    // treating the half-destroyed widget as a message box.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(messages.openCount(), 0);
    EXPECT_EQ(boxesOnScreen(), 0);
    messages.show(UserMessages::Icon::Warning, "Options", "These could not be saved");
    EXPECT_EQ(messages.openCount(), 1) << "the same message shows again once the box is gone";
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMessageBox*>(widget)) {
            delete widget;
        }
    }
}

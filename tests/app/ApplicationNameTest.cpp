#include "app/Application.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

TEST(ApplicationName, WindowTitlesAreLeftAsEachWindowSetsThem)
{
    Application::nameApplication();
    EXPECT_EQ(QCoreApplication::applicationName(), "Korvane");
    // A display name set by the program is appended by Qt to every title it hands the window
    // system ("Media Player — Taskel Media Player"); unset, it reads as the application name and
    // nothing is appended.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

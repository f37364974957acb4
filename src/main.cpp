#include "app/Application.h"
#include "app/LightStart.h"
#include "instance/LocalInstanceChannel.h"
#include "system/FileUserStore.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (LightStart::handedOver(argc, argv)) {
        return 0;
    }
    QApplication app(argc, argv);
    // The main window's close ends the run, even while a tray icon is shown.
    QApplication::setQuitOnLastWindowClosed(false);
    FileUserStore store;
    LocalInstanceChannel channel;
    Application korvane(store, channel);
    if (!korvane.start(QApplication::arguments().mid(1))) {
        return 0;
    }
    Application::endProcess(QApplication::exec());
}

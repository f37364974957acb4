#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

// Every run gets its own home, config and runtime folders so tests never touch the user's files
// or a running player's sockets.
int main(int argc, char** argv)
{
    QTemporaryDir home;
    const QByteArray root = home.path().toLocal8Bit();
    for (const char* sub : {"config", "runtime", "data"}) {
        QDir().mkpath(home.path() + "/" + sub);
    }
    QFile::setPermissions(home.path() + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", root);
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    qputenv("XDG_DATA_HOME", root + "/data");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

#include "app/InstanceLock.h"
#include "app/InstanceServer.h"
#include "app/LocalInstanceChannel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtEndian>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

// Runs a blocking sender on its own thread while this thread serves events, as the two
// processes would.
template <typename Call> auto whileServing(Call call)
{
    auto result = std::async(std::launch::async, call);
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return result.get();
}

} // namespace

TEST(InstanceSockets, CommandArrivesWholeAndSenderWaitsForProcessing)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    std::atomic<bool> handled = false;
    QString received;
    QObject::connect(&server, &InstanceServer::commandReceived, [&](const QString& text) {
        received = text;
        handled = true;
    });
    const QString text = QString::fromUtf8("/tmp/Ünïcødé $HOME \"q\" -x.mkv *Add");
    const bool handledWhenAcknowledged = whileServing([&] {
        LocalInstanceChannel channel;
        return channel.send(server.commandName(), text) && handled.load();
    });
    EXPECT_TRUE(handledWhenAcknowledged);
    EXPECT_EQ(received, text);
}

TEST(InstanceSockets, HelloReachesCheckSocketOnly)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    int commands = 0;
    QObject::connect(&server, &InstanceServer::commandReceived, [&] { ++commands; });
    EXPECT_TRUE(whileServing([&] {
        LocalInstanceChannel channel;
        return channel.isAlive(server.checkName()) && channel.send(server.checkName(), "Hello");
    }));
    EXPECT_EQ(server.checkText(), "Hello");
    EXPECT_EQ(commands, 0);
}

TEST(InstanceSockets, EachServerHasItsOwnNames)
{
    InstanceServer a;
    InstanceServer b;
    ASSERT_TRUE(a.listen());
    ASSERT_TRUE(b.listen());
    EXPECT_NE(a.commandName(), b.commandName());
    EXPECT_NE(a.checkName(), a.commandName());
}

TEST(InstanceSockets, StaleSocketOfKilledInstanceIsNotAlive)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath("stale.check"));
    // A socket file left behind by a process that died without cleaning up.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(dir.filePath("stale.check")));

    LocalInstanceChannel channel;
    EXPECT_FALSE(channel.isAlive(dir.filePath("stale.check")));
    EXPECT_FALSE(channel.send(dir.filePath("stale.check"), "Hello"));
    EXPECT_FALSE(channel.isAlive(""));
    EXPECT_FALSE(channel.send("-1", "x"));
}

TEST(InstanceSockets, OversizedMessageIsRefused)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    int commands = 0;
    QObject::connect(&server, &InstanceServer::commandReceived, [&] { ++commands; });
    const QString huge(InstanceServer::kMaxMessageBytes + 1, u'a');
    EXPECT_FALSE(whileServing([&] {
        LocalInstanceChannel channel(std::chrono::milliseconds(2000));
        return channel.send(server.commandName(), huge);
    }));
    EXPECT_EQ(commands, 0);
}

TEST(InstanceSockets, SilentPeerDoesNotHangTheSender)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    // The command socket answers nothing until its event loop runs, which it never does here.
    LocalInstanceChannel channel(std::chrono::milliseconds(300));
    EXPECT_FALSE(channel.send(server.commandName(), "/tmp/a.mkv"));
}

TEST(InstanceLock, SeveralPlayersMayHoldItAtOnce)
{
    InstanceLock first;
    InstanceLock second;
    EXPECT_TRUE(first.isHeld());
    EXPECT_TRUE(second.isHeld());
    EXPECT_TRUE(QFile::exists(first.path()));
    EXPECT_TRUE(first.path().endsWith("/TaskelKorvane.lock"));
}

#include "instance/InstanceLock.h"
#include "instance/InstanceServer.h"
#include "instance/LocalInstanceChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

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

// Leaves a socket file at path, as a player that was killed does.
void leaveSocketFile(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, bytes.constData(), sizeof address.sun_path);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::close(fd);
}

// A process id no process can have: one above the system's largest.
qint64 deadPid()
{
    QFile file("/proc/sys/kernel/pid_max");
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() + 1 : 4194305;
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

TEST(InstanceSockets, TextsWithControlCharactersAreRefusedButAnswered)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    QStringList received;
    QObject::connect(&server, &InstanceServer::commandReceived,
                     [&](const QString& text) { received << text; });
    const struct
    {
        const char* name;
        QString text;
        bool taken;
    } cases[] = {
        {"plain", "/tmp/a b.mkv", true},
        {"quotes and equals", "/tmp/say \"hi\" a=b.mkv *Add", true},
        {"NUL before the extension", QString("/tmp/x.txt") + QChar(0) + ".mkv", false},
        {"line break", "/tmp/a\nStream #0:1.mkv", false},
        {"escape", "/tmp/\x1b[2Ja.mkv", false},
        {"delete", "/tmp/a\x7f.mkv", false},
        {"C1 control", QString("/tmp/a") + QChar(0x85) + ".mkv", false},
    };
    for (const auto& c : cases) {
        received.clear();
        EXPECT_TRUE(whileServing([&] {
            LocalInstanceChannel channel(std::chrono::milliseconds(2000));
            return channel.send(server.commandName(), c.text);
        })) << c.name
            << ": the sender is answered either way, so it ends";
        EXPECT_EQ(received.size(), c.taken ? 1 : 0) << c.name;
    }
}

TEST(InstanceSockets, SocketFilesOfPlayersThatAreGoneAreRemoved)
{
    QTemporaryDir dir;
    const QString gone = QString::number(deadPid());
    const QString mine = QString::number(QCoreApplication::applicationPid());
    const struct
    {
        QString name;
        bool socket;
        bool removed;
    } cases[] = {
        {"korvane-" + gone + "-0badf00d.cmd", true, true},
        {"korvane-" + gone + "-0badf00d.check", true, true},
        {"korvane-" + mine + "-12345678.cmd", true, false}, // a live player's
        {"korvane-" + gone + "-0badf00d.txt", true, false}, // not one of ours
        {"korvane-" + gone + "-0badf00d.check.x", true, false},
        {"korvane-abc-0badf00d.cmd", true, false},
        {"korvane-" + gone + "-plainfile.cmd", false, false}, // not a socket
        {"other-" + gone + "-0badf00d.cmd", true, false},
    };
    for (const auto& c : cases) {
        if (c.socket) {
            leaveSocketFile(dir.filePath(c.name));
        } else {
            QFile file(dir.filePath(c.name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QFileInfo::exists(dir.filePath(c.name))) << c.name.toStdString();
    }
    EXPECT_EQ(InstanceServer::removeStaleSockets(dir.path()), 2);
    for (const auto& c : cases) {
        EXPECT_EQ(QFileInfo::exists(dir.filePath(c.name)), !c.removed) << c.name.toStdString();
    }
}

TEST(InstanceSockets, ListeningStartsByClearingWhatDeadPlayersLeft)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString stale = runtime + "/korvane-" + QString::number(deadPid()) + "-00000001.cmd";
    leaveSocketFile(stale);
    ASSERT_TRUE(QFileInfo::exists(stale));
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    EXPECT_FALSE(QFileInfo::exists(stale));
}

TEST(InstanceSockets, AFailedAcceptDoesNotEndListening)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    const QString name = server.commandName();

    // A later start knocks while this process has no file descriptor left for it: the accept
    // fails with "too many open files".
    QLocalSocket early;
    early.connectToServer(name);
    ASSERT_TRUE(early.waitForConnected(1000));
    std::vector<int> filler;
    for (int fd = ::dup(0); fd >= 0; fd = ::dup(0)) {
        filler.push_back(fd);
    }
    ASSERT_EQ(errno, EMFILE);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    for (const int fd : filler) {
        ::close(fd);
    }
    // However it went, the player must still be found, and must still take commands.
    QString received;
    QObject::connect(&server, &InstanceServer::commandReceived,
                     [&](const QString& text) { received = text; });
    QElapsedTimer timer;
    timer.start();
    bool sent = false;
    while (!sent && timer.elapsed() < 5000) {
        sent = whileServing([&] {
            LocalInstanceChannel channel(std::chrono::milliseconds(1000));
            return channel.send(name, "/tmp/after.mkv");
        });
        if (!sent) {
            QThread::msleep(50);
        }
    }
    EXPECT_TRUE(sent);
    EXPECT_EQ(received, "/tmp/after.mkv");
}

TEST(InstanceLock, ALinkPlantedInItsPlaceIsNotFollowed)
{
    QTemporaryDir runtime;
    QTemporaryDir elsewhere;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString target = elsewhere.filePath("victim");
    ASSERT_TRUE(QFile::link(target, runtime.filePath("TaskelKorvane.lock")));
    {
        InstanceLock lock("TaskelKorvane", runtime.path());
        EXPECT_FALSE(lock.isHeld());
    }
    EXPECT_FALSE(QFileInfo::exists(target)) << "the link's target was created";

    InstanceLock none("TaskelKorvane", QString());
    EXPECT_FALSE(none.isHeld());
}

namespace {

QByteArray frame(const QByteArray& payload)
{
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), bytes.data());
    return bytes + payload;
}

bool waitUntil(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

} // namespace

TEST(InstanceSockets, IdleAndSurplusConnectionsAreDroppedAndTheNextStartIsServed)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < InstanceServer::kMaxConnections + 8; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(server.commandName());
        ASSERT_TRUE(idle.back()->waitForConnected(1000));
    }
    // Half a message is as idle as none.
    idle.front()->write(frame("/tmp/a.mkv").left(6));
    ASSERT_TRUE(
        waitUntil([&] { return server.openConnections() == InstanceServer::kMaxConnections; }));
    const auto dropped = [&] {
        return std::count_if(idle.begin(), idle.end(), [](const auto& socket) {
            return socket->state() == QLocalSocket::UnconnectedState;
        });
    };
    EXPECT_TRUE(waitUntil([&] { return dropped() >= 8; })) << "the surplus is turned away";
    EXPECT_TRUE(waitUntil([&] { return dropped() == qsizetype(idle.size()); }))
        << "idle connections end";
    EXPECT_TRUE(waitUntil([&] { return server.openConnections() == 0; }));

    QString received;
    QObject::connect(&server, &InstanceServer::commandReceived,
                     [&](const QString& text) { received = text; });
    EXPECT_TRUE(whileServing(
        [&] { return LocalInstanceChannel().send(server.commandName(), "/tmp/b.mkv"); }));
    EXPECT_EQ(received, "/tmp/b.mkv");
}

TEST(InstanceSockets, AMessageArrivingWhileShuttingDownIsRefusedNotDropped)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    int received = 0;
    QObject::connect(&server, &InstanceServer::commandReceived, [&] { ++received; });
    QLocalSocket late;
    late.connectToServer(server.commandName());
    ASSERT_TRUE(late.waitForConnected(1000));
    ASSERT_TRUE(waitUntil([&] { return server.openConnections() == 1; }));
    server.close();
    late.write(frame("/tmp/late.mkv"));
    late.flush();
    ASSERT_TRUE(waitUntil([&] { return late.bytesAvailable() > 0 || !late.isOpen(); }));
    char reply = 0;
    ASSERT_TRUE(late.getChar(&reply));
    EXPECT_EQ(reply, LocalInstanceChannel::kRefusal);
    EXPECT_EQ(received, 0);
}

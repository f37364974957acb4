#include "instance/PosixInstanceChannel.h"

#include "instance/InstanceServer.h"
#include "instance/LocalInstanceChannel.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The light start's channel must be understood by the player exactly as the Qt one is.
struct ChannelKind
{
    const char* name;
    std::function<std::unique_ptr<InstanceChannel>(std::chrono::milliseconds)> make;
};

std::ostream& operator<<(std::ostream& out, const ChannelKind& kind)
{
    return out << kind.name;
}

template <typename Call> auto whileServing(Call call)
{
    auto result = std::async(std::launch::async, call);
    while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return result.get();
}

class InstanceChannels : public ::testing::TestWithParam<ChannelKind>
{
protected:
    std::unique_ptr<InstanceChannel>
    channel(std::chrono::milliseconds reply = std::chrono::seconds(30))
    {
        return GetParam().make(reply);
    }
};

TEST_P(InstanceChannels, CommandsArriveWholeAndInOrderEachAcknowledgedAfterItsHandling)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    QStringList received;
    std::atomic<int> handled = 0;
    QObject::connect(&server, &InstanceServer::commandReceived, [&](const QString& text) {
        received << text;
        ++handled;
    });
    const QStringList texts = {QString::fromUtf8("/tmp/Ünïcødé $HOME \"q\" -x.mkv *Add"),
                               QString(3000, u'x') + ".avi", "/tmp/a b.mp3"};
    auto sender = channel();
    for (int i = 0; i < texts.size(); ++i) {
        const bool acknowledgedAfterHandling = whileServing([&] {
            return sender->send(server.commandName(), texts[i]) && handled.load() == i + 1;
        });
        EXPECT_TRUE(acknowledgedAfterHandling) << i;
    }
    EXPECT_EQ(received, texts);
}

TEST_P(InstanceChannels, HelloReachesTheCheckSocketOnly)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    int commands = 0;
    QObject::connect(&server, &InstanceServer::commandReceived, [&] { ++commands; });
    auto sender = channel();
    EXPECT_TRUE(whileServing([&] {
        return sender->isAlive(server.checkName()) && sender->send(server.checkName(), "Hello");
    }));
    EXPECT_EQ(server.checkText(), "Hello");
    EXPECT_EQ(commands, 0);
}

TEST_P(InstanceChannels, NamesWithoutAListeningPlayerAreNotAlive)
{
    QTemporaryDir dir;
    const QByteArray stale = QFile::encodeName(dir.filePath("stale.check"));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, stale.constData(), sizeof address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    auto sender = channel();
    for (const QString& name : {dir.filePath("stale.check"), dir.filePath("missing"), QString(),
                                QStringLiteral("-1"), dir.filePath(QString(200, u'n'))}) {
        EXPECT_FALSE(sender->isAlive(name)) << name.toStdString();
        EXPECT_FALSE(sender->send(name, "Hello")) << name.toStdString();
    }
}

TEST_P(InstanceChannels, SilentPlayerDoesNotHangTheSender)
{
    InstanceServer server;
    ASSERT_TRUE(server.listen());
    // No event loop runs here, so the player never answers.
    EXPECT_FALSE(channel(std::chrono::milliseconds(300))->send(server.commandName(), "/tmp/a.mkv"));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, InstanceChannels,
    ::testing::Values(ChannelKind{"Qt",
                                  [](std::chrono::milliseconds reply) {
                                      return std::make_unique<LocalInstanceChannel>(reply);
                                  }},
                      ChannelKind{"Posix",
                                  [](std::chrono::milliseconds reply) {
                                      return std::make_unique<PosixInstanceChannel>(reply);
                                  }}),
    [](const ::testing::TestParamInfo<ChannelKind>& p) { return std::string(p.param.name); });

} // namespace

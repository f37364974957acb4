// The text a later start hands to the running player, and the arguments it is made from: the path
// is what the text says without the add marker, and a path made from arguments is absolute and
// survives being handed over; several names arrive as absolute paths, in the order sent.
#include "FuzzSupport.h"
#include "instance/HandOver.h"
#include "instance/StartupCommand.h"

#include <QDir>
#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);

    // As the player's command socket reads a message.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(input.left(HandOver::kMaxMessageBytes));
    const StartupCommand received = StartupCommand::fromHandOver(text);
    fuzz::check(received.forwardingText == text, "the text is forwarded as it came");
    fuzz::check(text.startsWith(received.path), "the path starts the text");
    fuzz::check(received.autoPlay == !StartupCommand::hasAddMarker(text),
                "only the add marker stops playing");
    const bool several = text.startsWith(StartupCommand::kFilesWord + u' ');
    if (!received.autoPlay && !several) {
        fuzz::check(received.path.size() == qMax<qsizetype>(0, text.size() - 5),
                    "the marker and its blank are cut");
    }
    for (const QString& path : received.paths) {
        fuzz::check(!several || QDir::isAbsolutePath(path), "several names are absolute paths");
    }

    // As a later start reads its own arguments; the input's last byte decides which names exist.
    const QStringList arguments = fuzz::arguments(input);
    const uint8_t existing = size > 0 ? data[size - 1] : 0;
    const auto isFile = [existing](const QString& path) {
        return (qHash(path) & 0xff) == existing;
    };
    const QString folder = QStringLiteral("/home/user/Videos");
    const StartupCommand sent = StartupCommand::fromArguments(arguments, folder, isFile);
    fuzz::check(sent.path.isEmpty() || QDir::isAbsolutePath(sent.path),
                "a path from the arguments is absolute");
    fuzz::check(sent.forwardingText.startsWith(sent.path),
                "the forwarded text starts with the path");
    if (!sent.path.endsWith(QStringLiteral("*Add"))) {
        const StartupCommand arrived = StartupCommand::fromHandOver(sent.forwardingText);
        fuzz::check(arrived.path == sent.path, "the path survives the hand-over");
        fuzz::check(arrived.autoPlay == sent.autoPlay, "adding or playing survives the hand-over");
    }
    // Several names of plain text arrive as they were sent, in order.
    bool plain = sent.paths.size() > 1;
    for (const QString& path : sent.paths) {
        for (const QChar c : path) {
            plain = plain && c.unicode() >= 0x20 && c.unicode() < 0x7F;
        }
    }
    if (plain) {
        fuzz::check(StartupCommand::fromHandOver(sent.forwardingText).paths == sent.paths,
                    "several names survive the hand-over");
    }
    return 0;
}

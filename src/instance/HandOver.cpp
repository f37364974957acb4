#include "instance/HandOver.h"

#include "instance/InstanceChannel.h"
#include "util/Logging.h"

HandOver::Outcome HandOver::decide(InstanceChannel& channel, QString* message) const
{
    if (commandName == QLatin1String("-1") || useNewPlayer) {
        return Outcome::NoRunningInstance;
    }
    if (!forwardingText.isEmpty()) {
        if (!channel.isAlive(checkName)) {
            return Outcome::BecomeRunning;
        }
        qCDebug(lcApp) << "instance running";
        // Every name goes over, whatever its type: the running player says why it refuses one.
        const qsizetype bytes = forwardingText.toUtf8().size();
        if (bytes > kMaxMessageBytes) {
            // The player would refuse it; a second player is not what was asked for either.
            if (message) {
                *message = QStringLiteral("korvane: the command line is too long to hand to the "
                                          "running player (%1 bytes, at most %2); nothing opened")
                               .arg(bytes)
                               .arg(kMaxMessageBytes);
            }
            qCWarning(lcApp) << "command too long to hand over:" << bytes << "bytes";
            return Outcome::EndProcess;
        }
        if (channel.send(commandName, forwardingText)) {
            qCDebug(lcApp).noquote() << "handed over:" << forwardingText;
            return Outcome::EndProcess;
        }
        // The player vanished between the check and the send: open the file here rather than
        // drop it.
        return Outcome::BecomeRunning;
    }
    if (channel.send(checkName, QStringLiteral("Hello"))) {
        qCDebug(lcApp) << "instance running";
        return Outcome::EndProcess;
    }
    return Outcome::BecomeRunning;
}

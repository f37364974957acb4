#include "app/HandOver.h"

#include "app/InstanceChannel.h"
#include "util/Logging.h"
#include "util/SupportedFiles.h"

HandOver::Outcome HandOver::decide(InstanceChannel& channel) const
{
    if (commandName == QLatin1String("-1") || useNewPlayer) {
        return Outcome::NoRunningInstance;
    }
    if (!forwardingText.isEmpty()) {
        if (!channel.isAlive(checkName)) {
            return Outcome::BecomeRunning;
        }
        qCDebug(lcApp) << "instance running";
        if (!IsSupportedFile(path)) {
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

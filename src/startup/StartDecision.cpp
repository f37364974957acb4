#include "startup/StartDecision.h"

#include "instance/HandOver.h"
#include "instance/InstanceKeys.h"
#include "system/UserStore.h"

#include <cstdio>

bool StartDecision::handsOver(const UserStore& store, bool useNewPlayer,
                              const QString& forwardingText, InstanceChannel& channel)
{
    HandOver handOver;
    handOver.commandName = store.readString(InstanceKeys::kSettingKey, InstanceKeys::kCommandValue,
                                            QStringLiteral("-1"));
    handOver.checkName = store.readString(InstanceKeys::kSettingKey, InstanceKeys::kCheckValue);
    handOver.useNewPlayer = useNewPlayer;
    handOver.forwardingText = forwardingText;
    QString message;
    const HandOver::Outcome outcome = handOver.decide(channel, &message);
    if (!message.isEmpty()) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
    return outcome == HandOver::Outcome::EndProcess;
}

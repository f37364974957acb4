#include "playback/AfterPlay.h"

#include "system/PowerControl.h"
#include "util/Logging.h"

QString AfterPlay::actionName(AfterPlayAction action)
{
    switch (action) {
    case AfterPlayAction::DoNothing:
        return QStringLiteral("nothing");
    case AfterPlayAction::Exit:
        return QStringLiteral("exit");
    case AfterPlayAction::Restart:
        return QStringLiteral("restart");
    case AfterPlayAction::ShutDown:
        return QStringLiteral("shutdown");
    }
    return QString();
}

void AfterPlay::choose(int ToDo)
{
    if (ToDo < 0 || ToDo > static_cast<int>(AfterPlayAction::ShutDown))
        return;
    m_action = static_cast<AfterPlayAction>(ToDo);
}

AfterPlay::Result AfterPlay::finish(PowerControl& power) const
{
    qCDebug(lcPlayback).noquote() << "after-play" << actionName(m_action);
    switch (m_action) {
    case AfterPlayAction::Exit:
        return Result::CloseWindow;
    case AfterPlayAction::Restart:
        power.reboot();
        break;
    case AfterPlayAction::ShutDown:
        power.powerOff();
        break;
    case AfterPlayAction::DoNothing:
        break;
    }
    return Result::StayStopped;
}

#pragma once

#include "system/PowerControl.h"

#include <QDBusMessage>
#include <QString>

// Asks the login manager on the system bus; without the right to do so, nothing happens.
class LogindPowerControl : public PowerControl
{
public:
    void reboot() override;
    void powerOff() override;

    // The call sent for "Reboot" or "PowerOff", with no interactive authentication.
    static QDBusMessage managerCall(const QString& method);

private:
    static void send(const QString& method);
};

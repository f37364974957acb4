#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

// The probe worker as a process: started on a socket pair of its own, greeted, lowered in
// priority, ended and reaped. One worker may be started early and wait for its first client.
namespace probeworker {

// Starts the worker; the player's end of its socket, or -1.
int start(const QString& program, pid_t* pid);
// Whether the worker greets as a probe worker within a few seconds. Reads byte by byte, so
// nothing after the greeting is taken from the reader thread.
bool readGreeting(int fd);
// Writes all of data; false when the socket broke.
bool sendAll(int fd, const QByteArray& data);
void reap(pid_t pid);
// Lowers every thread of a process; the threads it makes later inherit the priority.
void lowerPriority(pid_t pid, int niceness);

// Starts the worker of program ahead of its first client, unless one already waits.
void startEarly(const QString& program);
// Hands over the worker started early when it runs program; false when there is none.
bool takeEarly(const QString& program, int* fd, pid_t* pid);

} // namespace probeworker

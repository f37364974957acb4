#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a Qt signal on the UI thread, so ending the process from the
// desktop session or a terminal runs the normal shutdown and the settings are saved.
class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

    // Gives the signals back their default action: once shutdown runs, another request ends
    // the process at once.
    void stopWatching();

    // When the display goes away, libVLC's video threads can fault on the memory they shared
    // with it a moment before the UI thread notices the broken connection and saves. A fault
    // in a thread other than the UI thread therefore waits a few seconds, time for the process
    // to end in order, before it takes its usual course.
    static void holdWorkerFaults();

signals:
    void terminationRequested(int signalNumber);

private:
    QSocketNotifier* m_notifier = nullptr;
};

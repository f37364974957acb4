#pragma once

#include "mediainfo/ProbeResult.h"
#include "playlist/IntakeRequest.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>
#include <functional>

class MediaProber;

// Probes files on worker threads, as many at once as there are cores, and hands the results
// back on the UI thread strictly in the order the files were given.
class FileIntake : public QObject
{
    Q_OBJECT
public:
    explicit FileIntake(MediaProber& prober, QObject* parent = nullptr);
    ~FileIntake() override;

    void enqueue(const IntakeRequest& request);
    // Drops every file not yet handed back; results still being probed are discarded.
    void cancelPending();

    int pendingCount() const { return static_cast<int>(m_nextTicket - m_nextToDeliver); }
    int batchDone() const { return m_batchDone; }
    int batchTotal() const { return m_batchTotal; }
    void setMaxThreads(int threads) { m_pool.setMaxThreadCount(threads); }
    // Waits for the probes in flight; for shutdown and tests.
    void waitForWorkers() { m_pool.waitForDone(); }

signals:
    void ready(const IntakeRequest& request, bool accepted, const ProbeResult& result);
    // How many of the files given since the queue was last empty are done.
    void progressChanged(int done, int total);

private:
    struct Finished
    {
        IntakeRequest request;
        bool accepted = false;
        ProbeResult result;
    };
    void finish(quint64 generation, quint64 ticket, const Finished& finished);
    void deliverInOrder();

    MediaProber& m_prober;
    QThreadPool m_pool;
    quint64 m_generation = 0;
    quint64 m_nextTicket = 0;
    quint64 m_nextToDeliver = 0;
    QHash<quint64, Finished> m_finished;
    int m_batchDone = 0;
    int m_batchTotal = 0;
    bool m_delivering = false;
};

#include "playlist/FileIntake.h"

#include "mediainfo/MediaProber.h"

#include <QPointer>
#include <QThread>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// Probing is background work: the window must win every contest for a core.
constexpr int kProbeNiceness = 10;

// Lowers the calling worker thread's priority; the decoder processes it starts inherit it. Under
// load the window otherwise waits its turn behind the decoders and stalls visibly. Failure (a
// thread already lower) changes nothing.
void yieldToTheWindow()
{
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kProbeNiceness);
}
} // namespace

FileIntake::FileIntake(MediaProber& prober, QObject* parent) : QObject(parent), m_prober(prober)
{
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
}

FileIntake::~FileIntake()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void FileIntake::enqueue(const IntakeRequest& request)
{
    if (pendingCount() == 0) {
        m_batchDone = 0;
        m_batchTotal = 0;
    }
    ++m_batchTotal;
    const quint64 ticket = m_nextTicket++;
    const quint64 generation = m_generation;
    QPointer<FileIntake> self(this);
    MediaProber* prober = &m_prober;
    m_pool.start([self, prober, generation, ticket, request] {
        yieldToTheWindow();
        Finished finished{request, false, {}};
        finished.accepted = prober->probe(request.fileName, finished.result);
        // Runs on a worker thread: hand the copy over and touch nothing else.
        QMetaObject::invokeMethod(
            self.data(),
            [self, generation, ticket, finished] {
                if (self) {
                    self->finish(generation, ticket, finished);
                }
            },
            Qt::QueuedConnection);
    });
    emit progressChanged(m_batchDone, m_batchTotal);
}

void FileIntake::cancelPending()
{
    m_pool.clear();
    ++m_generation;
    m_finished.clear();
    m_nextToDeliver = m_nextTicket;
    m_batchDone = 0;
    m_batchTotal = 0;
    emit progressChanged(0, 0);
}

void FileIntake::finish(quint64 generation, quint64 ticket, const Finished& finished)
{
    if (generation != m_generation) {
        return;
    }
    m_finished.insert(ticket, finished);
    deliverInOrder();
}

void FileIntake::deliverInOrder()
{
    // A receiver that adds files of its own must not start a second delivery loop inside this one.
    if (m_delivering) {
        return;
    }
    m_delivering = true;
    while (m_finished.contains(m_nextToDeliver)) {
        const Finished next = m_finished.take(m_nextToDeliver);
        ++m_nextToDeliver;
        ++m_batchDone;
        const quint64 generation = m_generation;
        emit ready(next.request, next.accepted, next.result);
        if (generation != m_generation) {
            break; // the receiver cancelled everything
        }
        emit progressChanged(m_batchDone, m_batchTotal);
    }
    m_delivering = false;
}

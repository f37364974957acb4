#include "instance/SignalWatcher.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};
constexpr time_t kWorkerFaultHoldSeconds = 3;

// Runs in signal context: only async-signal-safe calls.
void forwardSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const auto written = ::write(g_signalPipe[0], &byte, 1);
}

struct sigaction g_previousBusAction = {};
struct sigaction g_previousSegvAction = {};

// Runs in signal context: only async-signal-safe calls. Returning runs the faulting instruction
// again under the action that was there before, so the fault still ends the process as it would.
void holdWorkerFault(int signalNumber)
{
    const int savedErrno = errno;
    if (::syscall(SYS_gettid) != ::getpid()) {
        timespec wait = {kWorkerFaultHoldSeconds, 0};
        while (::nanosleep(&wait, &wait) == -1 && errno == EINTR) {
        }
    }
    sigaction(signalNumber, signalNumber == SIGBUS ? &g_previousBusAction : &g_previousSegvAction,
              nullptr);
    errno = savedErrno;
}

} // namespace

void SignalWatcher::holdWorkerFaults()
{
    static const bool installed = [] {
        struct sigaction action = {};
        action.sa_handler = holdWorkerFault;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_NODEFER;
        sigaction(SIGBUS, &action, &g_previousBusAction);
        sigaction(SIGSEGV, &action, &g_previousSegvAction);
        return true;
    }();
    (void)installed;
}

SignalWatcher::SignalWatcher(QObject* parent) : QObject(parent)
{
    if (g_signalPipe[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_signalPipe) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        while (::read(g_signalPipe[1], &byte, 1) == 1) {
            emit terminationRequested(byte);
        }
    });
    struct sigaction action = {};
    action.sa_handler = forwardSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    stopWatching();
}

void SignalWatcher::stopWatching()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

#include "app/SessionEnd.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The signal handler only writes a byte here; the window loop reads it.
int Pipe[2] = {-1, -1};
constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void OnSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t n = ::write(Pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

TSessionEnd::TSessionEnd(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
    if (Pipe[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, Pipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(Pipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TSessionEnd::SignalArrived);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int s : Signals)
        ::sigaction(s, &action, nullptr);
}

TSessionEnd::~TSessionEnd()
{
    if (Pipe[0] < 0)
        return;
    for (const int s : Signals)
        std::signal(s, SIG_DFL);
    ::close(Pipe[0]);
    ::close(Pipe[1]);
    Pipe[0] = Pipe[1] = -1;
}

void TSessionEnd::SignalArrived()
{
    char bytes[16];
    while (::read(Pipe[0], bytes, sizeof bytes) > 0) {
    }
    emit EndRequested();
}

bool TSessionEnd::eventFilter(QObject* watched, QEvent* event)
{
    // The session manager ends the program with a quit event to it.
    if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) {
        emit EndRequested();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

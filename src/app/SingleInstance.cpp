#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray ShowRequest = QByteArrayLiteral("show\n");
const QByteArray ShowAnswer = QByteArrayLiteral("shown\n");
// Long enough for a busy desktop; a running Zentro answers in a few ms.
constexpr int AnswerTimeoutMs = 5000;
constexpr int LockTimeoutMs = 10000;

QString DisplayName()
{
    const QString platform = QGuiApplication::platformName();
    QString display;
    if (platform == QLatin1String("xcb"))
        display = qEnvironmentVariable("DISPLAY");
    else if (platform == QLatin1String("wayland"))
        display = qEnvironmentVariable("WAYLAND_DISPLAY");
    // ":0" and ":0.0" are the same display.
    display.remove(QRegularExpression(QStringLiteral("\\.\\d+$")));
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    return platform + QLatin1Char('-') + display;
}

void Warn(const char* text)
{
    std::fprintf(stderr, "zentro: %s\n", text);
}

// The address of a socket file, or false when the path is too long for one.
bool Address(const QString& path, sockaddr_un* address)
{
    const QByteArray name = QFile::encodeName(path);
    *address = {};
    address->sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address->sun_path)
        return false;
    std::memcpy(address->sun_path, name.constData(), size_t(name.size()));
    return true;
}

int NewSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// Waits until the socket may be read or written, for at most the deadline.
bool Wait(int fd, short events, const QDeadlineTimer& deadline)
{
    pollfd p{fd, events, 0};
    int n;
    do
        n = ::poll(&p, 1, int(deadline.remainingTime()));
    while (n < 0 && errno == EINTR);
    return n > 0;
}

} // namespace

TSingleInstance::TSingleInstance(QString serverPath, QObject* parent)
    : QObject(parent), m_path(std::move(serverPath))
{
}

TSingleInstance::~TSingleInstance()
{
    if (m_listener < 0)
        return;
    ::close(m_listener);
    ::unlink(QFile::encodeName(m_path).constData());
}

QString TSingleInstance::DefaultServerPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime + QStringLiteral("/zentro-") + DisplayName();
    return QDir::tempPath() + QStringLiteral("/zentro-%1-").arg(getuid()) + DisplayName();
}

TSingleInstance::TRole TSingleInstance::Claim()
{
    // Held only while deciding; a lock left by a dead process is taken over.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockTimeoutMs))
        Warn("could not take the start-up lock; deciding without it");
    const TRole role = HandOver();
    if (role == TRole::Failed)
        Warn("another Zentro is running but does not answer");
    if (role == TRole::Primary)
        Listen();
    return role;
}

TSingleInstance::TRole TSingleInstance::HandOver()
{
    sockaddr_un address;
    if (!Address(m_path, &address))
        return TRole::Primary;
    const int fd = NewSocket();
    if (fd < 0)
        return TRole::Primary;
    // A local connection is made or refused at once. Refused or missing:
    // nobody listens, whatever file is there. A full queue: somebody
    // listens but does not take calls.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const bool busy = errno == EAGAIN;
        ::close(fd);
        return busy ? TRole::Failed : TRole::Primary;
    }
    const QDeadlineTimer deadline(AnswerTimeoutMs);
    QByteArray answer;
    if (::send(fd, ShowRequest.constData(), size_t(ShowRequest.size()), MSG_NOSIGNAL) ==
        ShowRequest.size()) {
        char buffer[64];
        while (!answer.contains('\n') && answer.size() < 64 && Wait(fd, POLLIN, deadline)) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            answer.append(buffer, n);
        }
    }
    ::close(fd);
    return answer == ShowAnswer ? TRole::HandedOver : TRole::Failed;
}

void TSingleInstance::Listen()
{
    sockaddr_un address;
    const int fd = NewSocket();
    // Made under a name of its own and readable by the user alone before it
    // takes the real name, so that nobody else ever reaches it.
    const QString fresh = m_path + QStringLiteral(".%1").arg(getpid());
    const QByteArray freshName = QFile::encodeName(fresh);
    ::unlink(freshName.constData());
    if (fd < 0 || !Address(fresh, &address) ||
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(freshName.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0 ||
        // Nobody answered, so a socket file at the real name is stale.
        ::rename(freshName.constData(), QFile::encodeName(m_path).constData()) != 0) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(freshName.constData());
        Warn("cannot listen for later starts; each start will run on its own");
        return;
    }
    m_listener = fd;
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &TSingleInstance::Accept);
}

void TSingleInstance::Accept()
{
    int client;
    while ((client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0)
        Answer(client);
}

void TSingleInstance::Answer(int client)
{
    auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    auto request = std::make_shared<QByteArray>();
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, client, request] {
        char buffer[16];
        const ssize_t n = ::read(client, buffer, sizeof buffer);
        if (n < 0 && errno == EAGAIN)
            return;
        if (n > 0)
            request->append(buffer, n);
        // Anything but the one request (or more than it) is dropped.
        if (n > 0 && request->size() < ShowRequest.size())
            return;
        const bool shown = *request == ShowRequest;
        if (shown)
            ::send(client, ShowAnswer.constData(), size_t(ShowAnswer.size()), MSG_NOSIGNAL);
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(client);
        if (shown)
            emit ShowRequested();
    });
}

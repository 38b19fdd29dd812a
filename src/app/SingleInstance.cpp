#include "app/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTimer>

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
// Later starts served at once; more are turned away, and one that has not
// asked within the time is dropped, so that idle connections can neither
// use up the descriptors nor hold the window loop.
constexpr int MaxClients = 8;
constexpr int ClientTimeoutMs = 2000;
// How long the socket rests when the process is out of descriptors.
constexpr int AcceptPauseMs = 250;

void Warn(const QString& text)
{
    std::fprintf(stderr, "zentro: %s\n", qPrintable(text));
}

// The user at the other end of a local socket, or -1.
long long PeerUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return -1;
    return peer.uid;
}

// A folder only this user may enter: made when missing; otherwise it must
// be a real folder of this user that nobody else may enter.
bool IsPrivateFolder(const QString& path, QString* why)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 && errno == ENOENT)
        ::mkdir(name.constData(), S_IRWXU);
    if (::lstat(name.constData(), &st) != 0) {
        *why = QStringLiteral("cannot use the folder %1: %2")
                   .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & (S_IRWXG | S_IRWXO))) {
        *why = QStringLiteral("%1 is not a private folder of this user (its owner is user %2); "
                              "Zentro does not start")
                   .arg(path)
                   .arg(st.st_uid);
        return false;
    }
    return true;
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

QString TSingleInstance::DisplayKey(const QString& platform, const QString& display)
{
    if (platform != QLatin1String("xcb"))
        return platform + QLatin1Char('-') + QString(display).replace(u'/', u'_');
    // [protocol/][host]:number[.screen]: ":0", "unix:0", "unix/:0" and
    // ":0.1" are all the local display 0.
    static const QRegularExpression x(QStringLiteral("^(?:([a-z]+)/)?([^:]*):(\\d+)(?:\\.\\d+)?$"),
                                      QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = x.match(display);
    if (!m.hasMatch())
        return platform + QLatin1Char('-') + QString(display).replace(u'/', u'_');
    QString host = m.captured(2).toLower();
    if (host == QLatin1String("unix") ||
        m.captured(1).compare(QLatin1String("unix"), Qt::CaseInsensitive) == 0)
        host.clear();
    return QStringLiteral("%1-%2:%3").arg(platform, host).arg(m.captured(3).toInt());
}

QString TSingleInstance::DefaultServerPath()
{
    const QString platform = QGuiApplication::platformName();
    const QString key = DisplayKey(
        platform,
        qEnvironmentVariable(platform == QLatin1String("wayland") ? "WAYLAND_DISPLAY" : "DISPLAY"));
    // The user's runtime folder, also when the variable naming it is
    // missing; else a private folder of our own.
    const uint uid = ::getuid();
    for (const QString& runtime :
         {qEnvironmentVariable("XDG_RUNTIME_DIR"), QStringLiteral("/run/user/%1").arg(uid)}) {
        const QFileInfo info(runtime);
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        if (!runtime.isEmpty() && info.isDir() && !info.isSymLink() && info.ownerId() == uid &&
            !(info.permissions() & others))
            return runtime + QStringLiteral("/zentro-") + key;
    }
    return QDir::tempPath() + QStringLiteral("/zentro-%1/zentro-").arg(uid) + key;
}

TSingleInstance::TRole TSingleInstance::Claim()
{
    QString why;
    if (!IsPrivateFolder(QFileInfo(m_path).absolutePath(), &why)) {
        Warn(why);
        return TRole::Failed;
    }
    // Held only while deciding; a lock left by a dead process is taken over.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockTimeoutMs))
        Warn(QStringLiteral("could not take the start-up lock; deciding without it"));
    const TRole role = HandOver();
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
        if (busy)
            Warn(QStringLiteral("another Zentro is running but does not answer"));
        return busy ? TRole::Failed : TRole::Primary;
    }
    // Only a Zentro of this user is obeyed.
    if (const long long peer = PeerUser(fd); peer != ::getuid()) {
        ::close(fd);
        Warn(QStringLiteral("the socket %1 is held by another user (user %2); Zentro does not "
                            "start")
                 .arg(m_path)
                 .arg(peer));
        return TRole::Failed;
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
    if (answer == ShowAnswer)
        return TRole::HandedOver;
    Warn(QStringLiteral("another Zentro is running but does not answer"));
    return TRole::Failed;
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
        Warn(QStringLiteral("cannot listen for later starts; each start will run on its own"));
        return;
    }
    m_listener = fd;
    m_accepting = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_accepting, &QSocketNotifier::activated, this, &TSingleInstance::Accept);
}

void TSingleInstance::Accept()
{
    for (;;) {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) {
            // Out of descriptors the socket stays readable: rest instead of
            // spinning, and let the clients being served finish.
            if (errno == EMFILE || errno == ENFILE) {
                m_accepting->setEnabled(false);
                QTimer::singleShot(AcceptPauseMs, m_accepting,
                                   [n = m_accepting] { n->setEnabled(true); });
            }
            return;
        }
        if (m_clients >= MaxClients || PeerUser(client) != ::getuid())
            ::close(client);
        else
            Answer(client);
    }
}

void TSingleInstance::Answer(int client)
{
    ++m_clients;
    auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    auto request = std::make_shared<QByteArray>();
    const auto finish = [this, notifier, client](bool shown) {
        if (!notifier->isEnabled())
            return;
        if (shown)
            ::send(client, ShowAnswer.constData(), size_t(ShowAnswer.size()), MSG_NOSIGNAL);
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(client);
        --m_clients;
        if (shown)
            emit ShowRequested();
    };
    connect(notifier, &QSocketNotifier::activated, this, [client, request, finish] {
        char buffer[16];
        const ssize_t n = ::read(client, buffer, sizeof buffer);
        if (n < 0 && errno == EAGAIN)
            return;
        if (n > 0)
            request->append(buffer, n);
        // Anything but the one request (or more than it) is dropped.
        if (n > 0 && request->size() < ShowRequest.size())
            return;
        finish(*request == ShowRequest);
    });
    QTimer::singleShot(ClientTimeoutMs, notifier, [finish] { finish(false); });
}

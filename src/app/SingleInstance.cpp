#include "app/SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>

#include <cstdio>
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

} // namespace

TSingleInstance::TSingleInstance(QString serverPath, QObject* parent)
    : QObject(parent), m_path(std::move(serverPath))
{
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
    QLocalSocket socket;
    socket.connectToServer(m_path);
    // Refused or missing: nobody listens, whatever file is there.
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return TRole::Primary;
    socket.write(ShowRequest);
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(AnswerTimeoutMs))
        answer += socket.readAll();
    return answer == ShowAnswer ? TRole::HandedOver : TRole::Failed;
}

void TSingleInstance::Listen()
{
    // Nobody answered, so a socket file here is stale.
    QLocalServer::removeServer(m_path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection())
            Answer(socket);
    });
    if (!m_server->listen(m_path))
        Warn("cannot listen for later starts; each start will run on its own");
}

void TSingleInstance::Answer(QLocalSocket* socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        // Anything but the one request (or more than it) is dropped.
        if (socket->bytesAvailable() < ShowRequest.size())
            return;
        if (socket->read(ShowRequest.size()) == ShowRequest) {
            socket->write(ShowAnswer);
            socket->flush();
            emit ShowRequested();
        }
        socket->disconnectFromServer();
    });
}

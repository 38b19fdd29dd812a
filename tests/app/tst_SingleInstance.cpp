// One instance per display, in one process: a later start (on a thread of
// its own, since it waits for the answer) hands over to the first, which
// shows itself; requests that are not the one request are dropped.

#include "app/SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Sends bytes to the socket at path and returns what comes back before the
// other end closes (or two seconds pass).
QByteArray Exchange(const QString& path, const QByteArray& bytes)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    QByteArray answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size()) {
        QDeadlineTimer deadline(2000);
        char buffer[64];
        while (!deadline.hasExpired()) {
            // The answer needs the first instance's event loop.
            QCoreApplication::processEvents();
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0)
                continue;
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            answer.append(buffer, n);
        }
    }
    ::close(fd);
    return answer;
}

} // namespace

class tst_SingleInstance : public QObject {
    Q_OBJECT
private slots:
    void laterStartHandsOver()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zentro-test"));
        TSingleInstance first(path);
        QCOMPARE(first.Claim(), TSingleInstance::TRole::Primary);
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), 0);
        QSignalSpy shown(&first, &TSingleInstance::ShowRequested);

        TSingleInstance::TRole role = TSingleInstance::TRole::Primary;
        QThread* later = QThread::create([&] { role = TSingleInstance(path).Claim(); });
        later->start();
        QTRY_VERIFY(later->isFinished());
        delete later;
        QCOMPARE(role, TSingleInstance::TRole::HandedOver);
        QCOMPARE(shown.count(), 1);
    }

    void otherRequestsAreDropped_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("junk") << QByteArrayLiteral("junk!");
        QTest::newRow("more than the request") << QByteArrayLiteral("show\nshow\n");
    }

    void otherRequestsAreDropped()
    {
        QFETCH(QByteArray, request);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zentro-test"));
        TSingleInstance first(path);
        QCOMPARE(first.Claim(), TSingleInstance::TRole::Primary);
        QSignalSpy shown(&first, &TSingleInstance::ShowRequested);
        QCOMPARE(Exchange(path, request), QByteArray());
        // Still answering the one request afterwards.
        QCOMPARE(Exchange(path, QByteArrayLiteral("show\n")), QByteArrayLiteral("shown\n"));
        QCOMPARE(shown.count(), 1);
    }

    void staleSocketIsReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zentro-test"));
        {
            TSingleInstance gone(path);
            QCOMPARE(gone.Claim(), TSingleInstance::TRole::Primary);
        }
        // A file nobody listens on, as a killed instance leaves it.
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        TSingleInstance next(path);
        QCOMPARE(next.Claim(), TSingleInstance::TRole::Primary);
        QCOMPARE(Exchange(path, QByteArrayLiteral("show\n")), QByteArrayLiteral("shown\n"));
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"

// One instance per display: the first instance's end of the exchange over
// its socket.

#include "app/SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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
    // A later start sends the one request (the e2e test starts real
    // programs); anything else gets no answer and shows nothing, and the
    // first instance still answers afterwards.
    void requests_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("show") << QByteArrayLiteral("show\n") << QByteArrayLiteral("shown\n");
        QTest::newRow("junk") << QByteArrayLiteral("junk!") << QByteArray();
        QTest::newRow("more than the request") << QByteArrayLiteral("show\nshow\n") << QByteArray();
    }

    void requests()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zentro-test"));
        TSingleInstance first(path);
        QCOMPARE(first.Claim(), TSingleInstance::TRole::Primary);
        // Nobody else reaches the socket.
        QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), 0);
        QSignalSpy shown(&first, &TSingleInstance::ShowRequested);
        QCOMPARE(Exchange(path, request), answer);
        QCOMPARE(shown.count(), answer.isEmpty() ? 0 : 1);
        QCOMPARE(Exchange(path, QByteArrayLiteral("show\n")), QByteArrayLiteral("shown\n"));
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"

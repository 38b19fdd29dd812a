// One instance per display: the first instance's end of the exchange over
// its socket.

#include "app/SingleInstance.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace {

sockaddr_un Address(const QString& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    return address;
}

// Sends bytes to the socket at path and returns what comes back before the
// other end closes (or two seconds pass).
QByteArray Exchange(const QString& path, const QByteArray& bytes)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    const sockaddr_un address = Address(path);
    QByteArray answer;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL) == bytes.size()) {
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

// A child process running body, killed when this goes.
struct TChild {
    template <typename F> explicit TChild(F body) : pid(::fork())
    {
        if (pid == 0)
            body(), ::_exit(0);
    }
    ~TChild()
    {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    const pid_t pid;
};

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

    void displayKey()
    {
        for (const char* local : {":0", ":0.0", "unix:0", "unix/:0", "unix:0.1"})
            QCOMPARE(TSingleInstance::DisplayKey(QStringLiteral("xcb"), QString::fromLatin1(local)),
                     QStringLiteral("xcb-:0"));
    }

    // The socket's folder must be this user's, closed to others; else the
    // start fails. A socket of another user that answers is not obeyed.
    void foldersAndSocketsOfOthers()
    {
        if (::geteuid() != 0)
            QSKIP("only root can act as another user");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zentro-test"));
        for (const auto& [owner, mode, claimed] :
             {std::tuple(0u, 0700, true), std::tuple(0u, 0755, false),
              std::tuple(65534u, 0700, false)}) {
            const QByteArray folder =
                QFile::encodeName(dir.filePath(QString::number(mode + owner)));
            QVERIFY(::mkdir(folder.constData(), 0) == 0 && ::chmod(folder.constData(), mode) == 0);
            QCOMPARE(::chown(folder.constData(), owner, owner), 0);
            TSingleInstance instance(QFile::decodeName(folder) + QStringLiteral("/zentro-test"));
            QCOMPARE(instance.Claim() == TSingleInstance::TRole::Primary, claimed);
        }
        const sockaddr_un address = Address(path);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        const TChild squatter([fd] {
            // It is the user it was when it started listening.
            char request[8];
            if (::setresuid(65534, 65534, 65534) == 0 && ::listen(fd, 8) == 0)
                for (int c; (c = ::accept(fd, nullptr, nullptr)) >= 0; ::close(c))
                    (void)!::read(c, request, 8), (void)!::write(c, "shown\n", 6);
        });
        QTRY_COMPARE(Exchange(path, QByteArrayLiteral("show\n")), QByteArrayLiteral("shown\n"));
        TSingleInstance second(path);
        QCOMPARE(second.Claim(), TSingleInstance::TRole::Failed);
        ::close(fd);
    }

    // Idle connections past a lowered open-files limit: the instance turns
    // them away or drops them in time, keeps none of their descriptors and
    // still answers.
    void floodLeavesItAnswering()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("zentro-test"));
        TSingleInstance first(path);
        QCOMPARE(first.Claim(), TSingleInstance::TRole::Primary);
        int ready[2];
        QCOMPARE(::pipe2(ready, O_NONBLOCK | O_CLOEXEC), 0);
        const auto descriptors = [] {
            return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System).size();
        };
        const qsizetype before = descriptors();
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        const rlimit low{rlim_t(before + 16), limit.rlim_max};
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &low), 0);
        const sockaddr_un address = Address(path);
        const TChild flood([&] {
            ::setrlimit(RLIMIT_NOFILE, &limit);
            for (int held = 0, tries = 0; held < 200 && tries < 20000; ++tries) {
                const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
                if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address))
                    ::close(fd), ::usleep(100);
                else
                    ++held;
            }
            (void)!::write(ready[1], "x", 1);
            ::pause();
        });
        char byte;
        bool flooded = false;
        QTRY_VERIFY_WITH_TIMEOUT(flooded || (flooded = ::read(ready[0], &byte, 1) == 1), 30000);
        QTRY_COMPARE(Exchange(path, QByteArrayLiteral("show\n")), QByteArrayLiteral("shown\n"));
        QTRY_COMPARE_WITH_TIMEOUT(descriptors(), before, 10000);
        ::setrlimit(RLIMIT_NOFILE, &limit);
        ::close(ready[0]);
        ::close(ready[1]);
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"

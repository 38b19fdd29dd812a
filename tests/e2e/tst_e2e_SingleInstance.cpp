// One Zentro per user and display: later starts hand over to the running
// one, on the real program under the virtual display. And its end by a
// signal, as a session's end sends one.

#include "E2ESteps.h"
#include "ProcessTree.h"

#include <QDir>
#include <QTest>

#include <csignal>

#include <memory>
#include <vector>

using namespace x11;

namespace {

const QString AppBarName = QStringLiteral("^Zentro AppBar$");

} // namespace

class tst_e2e_SingleInstance : public QObject {
    Q_OBJECT
private:
    // Every start of one test shares this runtime folder (and the display),
    // and no other Zentro on the display does.
    QTemporaryDir m_runtime;

    std::unique_ptr<Program> Start()
    {
        auto program = std::make_unique<Program>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        // Zentro chooses its platform itself.
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program->Process().setProcessEnvironment(env);
        return program->Start() ? std::move(program) : nullptr;
    }
    QString SocketPath() const
    {
        const QStringList sockets =
            QDir(m_runtime.path()).entryList({QStringLiteral("zentro-xcb-*")}, QDir::System);
        return sockets.size() == 1 ? m_runtime.filePath(sockets.first()) : QString();
    }

private slots:
    void init() { QVERIFY(WaitForNoWindow(AppBarName)); }

    void secondStartHandsOverAndBarRollsDown()
    {
        auto first = Start();
        QVERIFY(first);
        const QString bar = WaitForWindow(AppBarName);
        QVERIFY(!bar.isEmpty());
        MouseMove(640, 600);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), -23, 5000);

        auto second = Start();
        QVERIFY(second);
        QVERIFY(second->WaitForExit());
        QCOMPARE(second->Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->Process().exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), 0, 5000);
        QCOMPARE(FindWindows(AppBarName), QStringList{bar});
        // With the pointer still away, the bar goes back up by itself.
        QTRY_COMPARE_WITH_TIMEOUT(WindowGeometry(bar)->y(), -23, 10000);
        QCOMPARE(first->Process().state(), QProcess::Running);
    }

    void staleSocketDoesNotBlock()
    {
        auto killed = Start();
        QVERIFY(killed);
        QVERIFY(!WaitForWindow(AppBarName).isEmpty());
        killed->Process().kill();
        QVERIFY(killed->WaitForExit());
        QVERIFY2(!SocketPath().isEmpty(), "the killed program left no socket behind");
        QVERIFY(WaitForNoWindow(AppBarName));

        auto next = Start();
        QVERIFY(next);
        QVERIFY(!WaitForWindow(AppBarName).isEmpty());
        QCOMPARE(next->Process().state(), QProcess::Running);
    }

    // A signal ends Zentro as Exit does: toolbar layout kept, socket gone,
    // status 0. Its children do not inherit the platform it chose.
    void signalsEndAsExitDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void signalsEndAsExitDoes()
    {
        QFETCH(int, signal);
        auto zentro = Start();
        QVERIFY(zentro);
        const QString bar = WaitForWindow(AppBarName);
        QVERIFY(OnBar(bar, 11, 10));
        Click(1);
        QVERIFY(!WaitForWindow(QStringLiteral("^Zentro$")).isEmpty());
        const int pid = int(zentro->Process().processId());
        QTRY_VERIFY_WITH_TIMEOUT(proctree::Tree(pid).size() > 1, 20000);
        for (const int child : proctree::Tree(pid).mid(1))
            QVERIFY(!proctree::ReadProc(child, "environ").contains("QT_QPA_PLATFORM="));
        QVERIFY(!SocketPath().isEmpty());

        QCOMPARE(::kill(pid, signal), 0);
        QVERIFY(zentro->WaitForExit());
        QCOMPARE(zentro->Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(zentro->Process().exitCode(), 0);
        QVERIFY(QFile::exists(QDir(zentro->WorkDir()).filePath(QStringLiteral("zentro.am"))));
        QVERIFY(SocketPath().isEmpty());
    }

    void simultaneousStartsLeaveOneAppBar()
    {
        std::vector<std::unique_ptr<Program>> programs;
        for (int i = 0; i < 3; ++i)
            programs.push_back(Start());
        for (const auto& p : programs)
            QVERIFY(p);
        const auto finished = [&] {
            int n = 0;
            for (const auto& p : programs)
                n += p->Process().state() == QProcess::NotRunning;
            return n;
        };
        QTRY_COMPARE_WITH_TIMEOUT(finished(), 2, 20000);
        for (const auto& p : programs)
            if (p->Process().state() == QProcess::NotRunning)
                QCOMPARE(p->Process().exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(FindWindows(AppBarName).size(), 1, 20000);
    }
};

QTEST_GUILESS_MAIN(tst_e2e_SingleInstance)
#include "tst_e2e_SingleInstance.moc"

// The real program started where it has no display to use: one sentence
// on stderr and a non-zero status, never Qt's platform-plugin abort.

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class tst_e2e_NoDisplay : public QObject {
    Q_OBJECT
private slots:
    void oneSentenceAndFailure_data()
    {
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("says");
        QTest::newRow("nothing") << QString() << QString() << QString()
                                 << "needs a graphical display";
        QTest::newRow("xcb asked, nothing there") << QString() << QString() << "xcb"
                                                  << "needs a graphical display";
        QTest::newRow("Wayland without XWayland")
            << QString() << "wayland-none" << QString() << "offers no XWayland";
        QTest::newRow("X display gone")
            << ":4711" << QString() << QString() << "cannot open the X display \":4711\"";
    }

    void oneSentenceAndFailure()
    {
        QFETCH(QString, display);
        QFETCH(QString, wayland);
        QFETCH(QString, platform);
        QFETCH(QString, says);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const auto set = [&](const QString& name, const QString& value) {
            if (value.isEmpty())
                env.remove(name);
            else
                env.insert(name, value);
        };
        set(QStringLiteral("DISPLAY"), display);
        set(QStringLiteral("WAYLAND_DISPLAY"), wayland);
        set(QStringLiteral("QT_QPA_PLATFORM"), platform);
        QProcess zentro;
        zentro.setProcessEnvironment(env);
        zentro.start(QString::fromLocal8Bit(qgetenv("ZENTRO_BINARY")), QStringList());
        QVERIFY(zentro.waitForFinished(20000));
        QCOMPARE(zentro.exitStatus(), QProcess::NormalExit);
        QVERIFY(zentro.exitCode() != 0);
        const QString err = QString::fromLocal8Bit(zentro.readAllStandardError()).trimmed();
        QVERIFY2(err.startsWith(QLatin1String("Zentro ")) && err.contains(says) &&
                     !err.contains(QLatin1Char('\n')),
                 qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(tst_e2e_NoDisplay)
#include "tst_e2e_NoDisplay.moc"

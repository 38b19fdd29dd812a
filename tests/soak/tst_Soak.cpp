// The sanitizer build of the real program under random input: clicks,
// double-clicks, drags, right-clicks, wheel turns and keys for every window,
// for ZENTRO_SOAK_SECONDS (75 by default, at most 120, 0 skips). Passes only
// with no crash, no sanitizer report, the program still answering at the end
// and ending with status 0 on "Exit". ZENTRO_SOAK_SEED replays a run.

#include "SoakDriver.h"
#include "SoakProgram.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr int DefaultSeconds = 75;
constexpr int MaxSeconds = 120;

int SoakSeconds()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("ZENTRO_SOAK_SECONDS", &ok);
    return ok ? qBound(0, seconds, MaxSeconds) : DefaultSeconds;
}

quint32 SoakSeed()
{
    bool ok = false;
    const uint seed = qEnvironmentVariable("ZENTRO_SOAK_SEED").toUInt(&ok);
    return ok ? seed : QRandomGenerator::system()->generate();
}

} // namespace

class tst_Soak : public QObject {
    Q_OBJECT
private slots:
    void randomInputToEveryWindow();
};

void tst_Soak::randomInputToEveryWindow()
{
    const int seconds = SoakSeconds();
    if (seconds == 0)
        QSKIP("ZENTRO_SOAK_SECONDS=0");
    const quint32 seed = SoakSeed();
    qInfo("soak: %d s of random input, seed %u (replay with ZENTRO_SOAK_SEED=%u)", seconds, seed,
          seed);

    SoakProgram program(qEnvironmentVariable("ZENTRO_BINARY"));
    SoakDriver driver(program, seed);
    const bool passed = driver.Run(seconds);

    qInfo("soak: %d actions, %d new run(s) after \"Exit\" was chosen", driver.Actions(),
          driver.Restarts());
    qInfo("soak: windows seen: %s", qPrintable(driver.WindowsSeen().join(QStringLiteral(", "))));
    if (!passed) {
        qInfo("soak FAILED with seed %u: %s", seed, qPrintable(driver.Failure()));
        qInfo("last actions:\n  %s", qPrintable(driver.LastActions().join(QStringLiteral("\n  "))));
        qInfo("sanitizer log:\n%s", qPrintable(program.SanitizerReports()));
        qInfo("program output (tail):\n%s", qPrintable(program.OutputTail(40)));
    }
    QVERIFY2(passed, qPrintable(driver.Failure()));

    // The soak reached every kind of window it opens itself.
    const QString seen = driver.WindowsSeen().join(QLatin1Char('\n'));
    for (const char* name : {"window 'Zentro AppBar'", "window 'Zentro'",
                             "window 'Zentro Messenger'", "window 'Compose'", "popup '"})
        QVERIFY2(seen.contains(QLatin1String(name)), name);
}

QTEST_GUILESS_MAIN(tst_Soak)
#include "tst_Soak.moc"

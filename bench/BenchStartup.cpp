// Start-up, memory and idle CPU of the real program in AppBar Mode, side
// by side with the bare floor program and with the same floor linked to
// the HTML engine as the program is. Linking the engine obliges a shared
// GL context before the application exists (software GL here), which no
// program that shows HTML can shed; the second comparison tells that cost
// from our own. The engine itself must not start: AppBar Mode runs
// without it.

#include "BenchCommon.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

struct Sample {
    double firstPaintMs = -1;
    double rssMiB = 0;
    double idleCpuPercent = 0;
    int engineProcesses = 0;
};

void MovePointerAway()
{
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("700")});
}

Sample Measure(const QString& exe, int idleSeconds)
{
    Sample s;
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZENTRO_REPORT_FIRST_PAINT"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    MovePointerAway();

    const qint64 t0 = bench::MonotonicNs();
    p.start(exe, {});
    if (!p.waitForStarted(10000))
        return s;
    QByteArray err;
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 30000) {
        p.waitForReadyRead(100);
        err += p.readAllStandardError();
        const int at = err.indexOf("zentro-first-paint ");
        const int end = at >= 0 ? err.indexOf('\n', at) : -1;
        if (end > 0) {
            const qint64 t1 = err.mid(at + 19, end - at - 19).toLongLong();
            s.firstPaintMs = (t1 - t0) / 1e6;
            break;
        }
    }
    // Let the start-up settle and the bar roll up before measuring.
    QThread::msleep(1500);
    const int pid = int(p.processId());
    s.rssMiB = bench::TreeRssKiB(pid) / 1024.0;
    const double cpu0 = bench::TreeCpuSeconds(pid);
    QThread::sleep(idleSeconds);
    const double cpu1 = bench::TreeCpuSeconds(pid);
    s.idleCpuPercent = (cpu1 - cpu0) / idleSeconds * 100.0;
    s.engineProcesses = bench::CountInTree(pid, QStringLiteral("QtWebEngineProcess"));
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    return s;
}

QList<bench::Row> Run(int runs)
{
    const int idleSeconds = 10;
    QList<double> zPaint, zRss, zCpu, fPaint, fRss, fCpu, ePaint, eRss, eCpu;
    int engines = 0;
    for (int i = 0; i < runs; ++i) {
        const Sample f = Measure(QStringLiteral(ZENTRO_FLOOR_PATH), idleSeconds);
        const Sample e = Measure(QStringLiteral(ZENTRO_ENGINE_FLOOR_PATH), idleSeconds);
        const Sample z = Measure(QStringLiteral(ZENTRO_BINARY_PATH), idleSeconds);
        fPaint << f.firstPaintMs;
        fRss << f.rssMiB;
        fCpu << f.idleCpuPercent;
        ePaint << e.firstPaintMs;
        eRss << e.rssMiB;
        eCpu << e.idleCpuPercent;
        zPaint << z.firstPaintMs;
        zRss << z.rssMiB;
        zCpu << z.idleCpuPercent;
        engines += z.engineProcesses;
        std::printf("    run %d: first paint %.1f / %.1f / %.1f ms, rss %.1f / %.1f / %.1f MiB, "
                    "idle cpu %.2f / %.2f / %.2f %% (zentro / floor / floor with engine)\n",
                    i + 1, z.firstPaintMs, f.firstPaintMs, e.firstPaintMs, z.rssMiB, f.rssMiB,
                    e.rssMiB, z.idleCpuPercent, f.idleCpuPercent, e.idleCpuPercent);
        std::fflush(stdout);
    }
    QList<bench::Row> rows;
    const auto both = [&](const QString& name, const QList<double>& z, const QString& unit,
                          const QList<double>& f, const QList<double>& e) {
        rows << bench::Row{name, bench::Median(z), unit, bench::Median(f), 1.5};
        rows << bench::Row{QStringLiteral("  against the floor with the engine linked"),
                           bench::Median(z), unit, bench::Median(e), 1.5};
    };
    both(QStringLiteral("exec to app-bar first paint (median)"), zPaint, QStringLiteral("ms"),
         fPaint, ePaint);
    both(QStringLiteral("resident memory, AppBar Mode (median)"), zRss, QStringLiteral("MiB"), fRss,
         eRss);
    both(QStringLiteral("idle CPU over 10 s, AppBar Mode (median)"), zCpu, QStringLiteral("%"),
         fCpu, eCpu);
    rows << bench::Row{QStringLiteral("HTML engine processes in AppBar Mode (all runs)"),
                       double(engines),
                       QStringLiteral(""),
                       0,
                       0,
                       0.5};
    return rows;
}

[[maybe_unused]] const bool registered = (bench::Register({QStringLiteral("startup"), Run}), true);

} // namespace

// Start-up, memory and idle CPU of the real program in AppBar Mode, side
// by side with the bare floor program and with the same floor linked to
// the HTML engine as the program is. Linking the engine obliges a shared
// GL context before the application exists (software GL here); the second
// floor tells that cost from our own. The budgets hold against the bare
// floor. Idle CPU counts the X server too: polling the pointer costs there
// as much as in the program; it is taken with the pointer away, then with
// the pointer resting on the bar. The engine itself must not start: AppBar
// Mode runs without it. Run as in a user's session (scripts/bench gives
// the benchmark its own session bus), memory is read 3 s after the first
// paint. CPU to the first paint is the program's own count at the paint.

#include "BenchCommon.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

struct Sample {
    double firstPaintMs = -1;
    double cpuToPaintMs = 0;
    double rssMiB = 0;
    double idleCpuPercent = 0;
    double serverCpuPercent = 0;
    double restingPercent = 0;
    int engineProcesses = 0;
};

void MovePointer(int x, int y)
{
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
}

void MovePointerAway()
{
    MovePointer(0, 700);
}

// CPU of the program and of the X server together, in percent of a core,
// over the given time.
double CpuWithServer(int pid, int server, int seconds)
{
    const double cpu0 = bench::TreeCpuSeconds(pid);
    const double server0 = server ? bench::TreeCpuSeconds(server) : 0;
    QThread::sleep(seconds);
    const double cpu1 = bench::TreeCpuSeconds(pid);
    const double server1 = server ? bench::TreeCpuSeconds(server) : 0;
    return ((cpu1 - cpu0) + (server1 - server0)) / seconds * 100.0;
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
            // The moment, and the program's CPU time until then.
            const QList<QByteArray> report = err.mid(at + 19, end - at - 19).split(' ');
            s.firstPaintMs = (report.value(0).toLongLong() - t0) / 1e6;
            s.cpuToPaintMs = report.value(1).toLongLong() / 1e6;
            break;
        }
    }
    // Let the start-up settle and the bar roll up before measuring.
    QThread::msleep(3000);
    const int pid = int(p.processId());
    s.rssMiB = bench::TreeRssKiB(pid) / 1024.0;
    const int server = bench::XServerPid();
    const double cpu0 = bench::TreeCpuSeconds(pid);
    const double server0 = server ? bench::TreeCpuSeconds(server) : 0;
    QThread::sleep(idleSeconds);
    const double cpu1 = bench::TreeCpuSeconds(pid);
    const double server1 = server ? bench::TreeCpuSeconds(server) : 0;
    s.idleCpuPercent = (cpu1 - cpu0) / idleSeconds * 100.0;
    s.serverCpuPercent = (server1 - server0) / idleSeconds * 100.0;
    // The bar (and the floor's strip) sits centred at the top of the
    // screen; rolled up, only its lowest two rows are on it.
    MovePointer(640, 0);
    QThread::sleep(2);
    s.restingPercent = CpuWithServer(pid, server, idleSeconds);
    MovePointerAway();
    s.engineProcesses = bench::CountInTree(pid, QStringLiteral("QtWebEngineProcess"));
    p.terminate();
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    return s;
}

struct Series {
    QList<double> paint, paintCpu, rss, cpu, server, both, resting;
    void Add(const Sample& s)
    {
        paint << s.firstPaintMs;
        paintCpu << s.cpuToPaintMs;
        resting << s.restingPercent;
        rss << s.rssMiB;
        cpu << s.idleCpuPercent;
        server << s.serverCpuPercent;
        both << s.idleCpuPercent + s.serverCpuPercent;
    }
};

void PrintTable(const Series& f, const Series& e, const Series& z)
{
    std::printf("  %-40s %12s %12s %12s\n", "median", "bare floor", "engine floor", "Zentro");
    const auto line = [](const char* name, const QList<double>& a, const QList<double>& b,
                         const QList<double>& c) {
        std::printf("  %-40s %12.2f %12.2f %12.2f\n", name, bench::Median(a), bench::Median(b),
                    bench::Median(c));
    };
    line("exec to first paint (ms)", f.paint, e.paint, z.paint);
    line("CPU to first paint (ms)", f.paintCpu, e.paintCpu, z.paintCpu);
    line("resident memory (MiB)", f.rss, e.rss, z.rss);
    line("idle CPU, the program (% of a core)", f.cpu, e.cpu, z.cpu);
    line("idle CPU, the X server (% of a core)", f.server, e.server, z.server);
    line("pointer on the bar, with X (% of a core)", f.resting, e.resting, z.resting);
    std::fflush(stdout);
}

QList<bench::Row> Run(int runs)
{
    const int idleSeconds = 10;
    Series f, e, z;
    int engines = 0;
    for (int i = 0; i < runs; ++i) {
        const Sample fs = Measure(QStringLiteral(ZENTRO_FLOOR_PATH), idleSeconds);
        const Sample es = Measure(QStringLiteral(ZENTRO_ENGINE_FLOOR_PATH), idleSeconds);
        const Sample zs = Measure(QStringLiteral(ZENTRO_BINARY_PATH), idleSeconds);
        f.Add(fs);
        e.Add(es);
        z.Add(zs);
        engines += zs.engineProcesses;
        std::printf("    run %d: first paint %.1f / %.1f / %.1f ms, rss %.1f / %.1f / %.1f MiB, "
                    "idle cpu with X %.2f / %.2f / %.2f %% (zentro / floor / floor with engine)\n",
                    i + 1, zs.firstPaintMs, fs.firstPaintMs, es.firstPaintMs, zs.rssMiB, fs.rssMiB,
                    es.rssMiB, zs.idleCpuPercent + zs.serverCpuPercent,
                    fs.idleCpuPercent + fs.serverCpuPercent,
                    es.idleCpuPercent + es.serverCpuPercent);
        std::fflush(stdout);
    }
    PrintTable(f, e, z);
    QList<bench::Row> rows;
    rows << bench::Row{QStringLiteral("exec to app-bar first paint (median)"),
                       bench::Median(z.paint), QStringLiteral("ms"), bench::Median(f.paint), 1.3};
    rows << bench::Row{QStringLiteral("CPU to app-bar first paint (median)"),
                       bench::Median(z.paintCpu), QStringLiteral("ms"), bench::Median(f.paintCpu),
                       2};
    rows << bench::Row{QStringLiteral("resident memory at +3 s, AppBar Mode (median)"),
                       bench::Median(z.rss), QStringLiteral("MiB"), bench::Median(f.rss), 1.5};
    rows << bench::Row{QStringLiteral("idle CPU with the X server, AppBar Mode (median)"),
                       bench::Median(z.both),
                       QStringLiteral("%"),
                       0,
                       0,
                       0.1};
    rows << bench::Row{QStringLiteral("pointer resting on the bar, with X (median)"),
                       bench::Median(z.resting),
                       QStringLiteral("%"),
                       0,
                       0,
                       0.1};
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

#include "BenchCommon.h"

#include "ProcessTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace bench {

double Median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

QString BoldMessage()
{
    return QStringLiteral(
        "document.body.innerHTML = '<p id=p>Lunch on Friday</p>'; document.body.focus();"
        "getSelection().selectAllChildren(document.getElementById('p')); true");
}

qint64 MonotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

using proctree::ReadProc;

qint64 TreeRssKiB(int pid)
{
    qint64 total = 0;
    for (int p : proctree::Tree(pid)) {
        const QByteArray status = ReadProc(p, "status");
        for (const QByteArray& line : status.split('\n'))
            if (line.startsWith("VmRSS:"))
                total += line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return total;
}

qint64 TreeUniqueKiB(int pid)
{
    QSet<quint64> frames;
    for (int p : proctree::Tree(pid)) {
        QFile pagemap(QStringLiteral("/proc/%1/pagemap").arg(p));
        if (!pagemap.open(QIODevice::ReadOnly))
            continue;
        // Only mappings with resident pages: the engine reserves far more
        // address space than it uses.
        quint64 start = 0, end = 0;
        for (const QByteArray& line : ReadProc(p, "smaps").split('\n')) {
            const QList<QByteArray> f = line.simplified().split(' ');
            if (f.value(0).contains('-')) {
                const QList<QByteArray> range = f.value(0).split('-');
                start = range.value(0).toULongLong(nullptr, 16);
                end = range.value(1).toULongLong(nullptr, 16);
            } else if (f.value(0) == "Rss:" && f.value(1).toLongLong() > 0) {
                const quint64 pages = (end - start) / 4096;
                if (!pagemap.seek(qint64(start / 4096 * 8)))
                    continue;
                const QByteArray entries = pagemap.read(qint64(pages * 8));
                const auto* e = reinterpret_cast<const quint64*>(entries.constData());
                for (qsizetype i = 0; i < entries.size() / 8; ++i) {
                    // Bit 63: present; bits 0-54: the frame, 0 for others
                    // than root.
                    if (!(e[i] >> 63))
                        continue;
                    const quint64 frame = e[i] & ((quint64(1) << 55) - 1);
                    if (!frame)
                        return -1;
                    frames.insert(frame);
                }
            }
        }
    }
    return frames.size() * 4;
}

double TreeCpuSeconds(int pid)
{
    // Each thread's time on the CPU in nanoseconds; the clock ticks of
    // /proc/<pid>/stat (10 ms) are too coarse for an idle program.
    double total = 0;
    for (int p : proctree::Tree(pid)) {
        const auto tasks = QDir(QStringLiteral("/proc/%1/task").arg(p))
                               .entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& t : tasks) {
            QFile f(QStringLiteral("/proc/%1/task/%2/schedstat").arg(p).arg(t));
            if (f.open(QIODevice::ReadOnly))
                total += f.readAll().split(' ').value(0).toLongLong() / 1e9;
        }
    }
    return total;
}

int XServerPid()
{
    const QByteArray display = qgetenv("DISPLAY");
    for (int pid : proctree::Pids()) {
        const QList<QByteArray> args = ReadProc(pid, "cmdline").split('\0');
        const QByteArray exe = args.value(0).mid(args.value(0).lastIndexOf('/') + 1);
        if ((exe == "Xvfb" || exe == "Xorg" || exe == "X") && args.contains(display))
            return pid;
    }
    return 0;
}

int CountInTree(int pid, const QString& exeName)
{
    int n = 0;
    for (int p : proctree::Tree(pid)) {
        const QString comm = QString::fromLocal8Bit(ReadProc(p, "comm")).trimmed();
        // comm is cut to 15 characters.
        if (!comm.isEmpty() && exeName.startsWith(comm))
            ++n;
    }
    return n;
}

QList<Section>& Sections()
{
    static QList<Section> sections;
    return sections;
}

void Register(const Section& section)
{
    Sections().append(section);
}

void Print(const Row& row)
{
    const double ratio = row.floor > 0 ? row.value / row.floor : 0;
    QString verdict;
    if (row.maxRatio > 0 && row.floor > 0)
        verdict = ratio <= row.maxRatio ? QStringLiteral("ok (budget %1 x)").arg(row.maxRatio)
                                        : QStringLiteral("OVER (budget %1 x)").arg(row.maxRatio);
    else if (row.maxValue > 0)
        verdict = row.value <= row.maxValue
                      ? QStringLiteral("ok (budget %1 %2)").arg(row.maxValue).arg(row.unit)
                      : QStringLiteral("OVER (budget %1 %2)").arg(row.maxValue).arg(row.unit);
    std::printf("  %-50s %9.2f %-3s", qPrintable(row.name), row.value, qPrintable(row.unit));
    if (row.floor > 0)
        std::printf("  floor %9.2f  ratio %5.2f", row.floor, ratio);
    std::printf("  %s\n", qPrintable(verdict));
    std::fflush(stdout);
}

QHash<QString, double> RunMeasurements(const QString& program, const QStringList& arguments,
                                       int timeoutMs)
{
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(program, arguments);
    QHash<QString, double> out;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return out;
    }
    const auto lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const auto parts = line.split(QLatin1Char(' '));
        if (parts.size() == 2)
            out.insert(parts[0], parts[1].toDouble());
    }
    return out;
}

void Idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

std::pair<double, double> IdleCpu(int seconds)
{
    const int own = int(QCoreApplication::applicationPid());
    const int server = XServerPid();
    const double own0 = TreeCpuSeconds(own);
    const double server0 = server ? TreeCpuSeconds(server) : 0;
    Idle(seconds * 1000);
    const double own1 = TreeCpuSeconds(own);
    const double server1 = server ? TreeCpuSeconds(server) : 0;
    return {(own1 - own0) / seconds * 100.0, (server1 - server0) / seconds * 100.0};
}

} // namespace bench

#pragma once

// The processes of /proc and their trees: how many HTML engine processes
// run under a test (the benchmark measures process trees with it too).

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>

namespace proctree {

inline QByteArray ReadProc(int pid, const char* file)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every process there is.
inline QList<int> Pids()
{
    QList<int> out;
    const auto entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& e : entries) {
        bool ok = false;
        const int pid = e.toInt(&ok);
        if (ok)
            out << pid;
    }
    return out;
}

// Processes of the tree under pid (pid itself included).
inline QList<int> Tree(int root)
{
    QHash<int, QList<int>> children;
    for (int pid : Pids()) {
        const QByteArray stat = ReadProc(pid, "stat");
        const int close = stat.lastIndexOf(')');
        if (close < 0)
            continue;
        const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
        if (fields.size() > 1)
            children[fields[1].toInt()].append(pid);
    }
    QList<int> out{root};
    for (qsizetype i = 0; i < out.size(); ++i)
        out += children.value(out[i]);
    return out;
}

inline int EngineProcesses()
{
    int n = 0;
    for (int pid : Tree(int(QCoreApplication::applicationPid())))
        n += ReadProc(pid, "comm").startsWith("QtWebEngineProc");
    return n;
}

} // namespace proctree

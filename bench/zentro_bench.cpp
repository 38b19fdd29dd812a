// The benchmark program. Run it on a display (scripts/bench starts a
// virtual one). Usage: zentro_bench [--runs N] [section ...]

#include "BenchCommon.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    int runs = 5;
    QStringList only;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs") && i + 1 < args.size())
            runs = qMax(1, args[++i].toInt());
        else
            only << args[i];
    }
    for (const bench::Section& s : bench::Sections()) {
        if (!only.isEmpty() && !only.contains(s.name))
            continue;
        std::printf("%s (%d runs)\n", qPrintable(s.name), runs);
        std::fflush(stdout);
        for (const bench::Row& row : s.run(runs))
            bench::Print(row);
    }
    return 0;
}

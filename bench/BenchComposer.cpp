// Opening a composer until its editor is ready, first of the run and a
// later one, beside a bare HTML view reaching design mode in its own
// process; and no HTML engine for a chat window.

#include "BenchCommon.h"

#include <QHash>

#include <cstdio>

namespace {

QHash<QString, double> RunHelper(const QString& program, const QString& mode)
{
    return bench::RunMeasurements(program, {mode}, 60000);
}

QList<bench::Row> Run(int runs)
{
    QList<double> zFirst, zLater, fFirst, fLater;
    int engines = 0;
    for (int i = 0; i < runs; ++i) {
        const auto f = RunHelper(QStringLiteral(ZENTRO_HTML_FLOOR_PATH), QStringLiteral("design"));
        const auto z =
            RunHelper(QStringLiteral(ZENTRO_COMPOSER_HELPER_PATH), QStringLiteral("composer"));
        const auto c =
            RunHelper(QStringLiteral(ZENTRO_COMPOSER_HELPER_PATH), QStringLiteral("chat"));
        fFirst << f.value(QStringLiteral("first"), -1);
        fLater << f.value(QStringLiteral("later"), -1);
        zFirst << z.value(QStringLiteral("first"), -1);
        zLater << z.value(QStringLiteral("later"), -1);
        engines += int(c.value(QStringLiteral("engines"), 1));
        std::printf("    run %d: composer %.1f / %.1f ms, floor %.1f / %.1f ms, chat engines %d\n",
                    i + 1, zFirst.last(), zLater.last(), fFirst.last(), fLater.last(),
                    int(c.value(QStringLiteral("engines"), -1)));
        std::fflush(stdout);
    }
    QList<bench::Row> rows;
    rows << bench::Row{QStringLiteral("OpenComposer to EditorReady, first (median)"),
                       bench::Median(zFirst), QStringLiteral("ms"), bench::Median(fFirst), 1.5};
    rows << bench::Row{QStringLiteral("OpenComposer to EditorReady, later (median)"),
                       bench::Median(zLater), QStringLiteral("ms"), bench::Median(fLater), 1.5};
    rows << bench::Row{QStringLiteral("HTML engine processes with a chat window (all runs)"),
                       double(engines),
                       QString(),
                       0,
                       0,
                       0.5};
    return rows;
}

[[maybe_unused]] const bool registered = (bench::Register({QStringLiteral("composer"), Run}), true);

} // namespace

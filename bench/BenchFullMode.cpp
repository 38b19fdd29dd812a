// The Full Mode window: from the app-bar's Full Mode button to the
// placeholder page in the preview, the first time in a run and a later
// time, beside a bare HTML view loading a page in its own process (the
// floor). Budget: twice the floor.

#include "BenchCommon.h"

#include <QHash>

#include <cstdio>

namespace {

QHash<QString, double> RunHelper(const QString& program, const QString& mode)
{
    return bench::RunMeasurements(program, {mode}, 120000);
}

QList<bench::Row> Run(int runs)
{
    QList<double> zFirst, zLater, fFirst, fLater;
    for (int i = 0; i < runs; ++i) {
        const auto f = RunHelper(QStringLiteral(ZENTRO_HTML_FLOOR_PATH), QStringLiteral("page"));
        const auto z =
            RunHelper(QStringLiteral(ZENTRO_FULLMODE_HELPER_PATH), QStringLiteral("full"));
        fFirst << f.value(QStringLiteral("first"), -1);
        fLater << f.value(QStringLiteral("later"), -1);
        zFirst << z.value(QStringLiteral("first"), -1);
        zLater << z.value(QStringLiteral("later"), -1);
        std::printf("    run %d: Full Mode %.1f / %.1f ms, floor %.1f / %.1f ms\n", i + 1,
                    zFirst.last(), zLater.last(), fFirst.last(), fLater.last());
        std::fflush(stdout);
    }
    QList<bench::Row> rows;
    rows << bench::Row{QStringLiteral("sbFullClick to placeholder, first (median)"),
                       bench::Median(zFirst), QStringLiteral("ms"), bench::Median(fFirst), 2.0};
    rows << bench::Row{QStringLiteral("sbFullClick to placeholder, later (median)"),
                       bench::Median(zLater), QStringLiteral("ms"), bench::Median(fLater), 2.0};
    return rows;
}

[[maybe_unused]] const bool registered = (bench::Register({QStringLiteral("fullmode"), Run}), true);

} // namespace

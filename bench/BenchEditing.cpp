// The composer's toolbar following the editor: the median time from a
// click on a toolbar button to the toolbar showing the state the editor
// reports after the command, beside the same command and question sent
// straight to a bare HTML view. Budget: one frame at 60 Hz.

#include "BenchCommon.h"

#include <QHash>

#include <cstdio>

namespace {

QHash<QString, double> RunHelper()
{
    return bench::RunMeasurements(QStringLiteral(ZENTRO_COMPOSER_HELPER_PATH),
                                  {QStringLiteral("editing")}, 120000);
}

QList<bench::Row> Run(int runs)
{
    QList<double> click, floor;
    for (int i = 0; i < runs; ++i) {
        const auto r = RunHelper();
        click << r.value(QStringLiteral("click"), -1);
        floor << r.value(QStringLiteral("floor"), -1);
        std::printf(
            "    run %d: toolbar click to state %.2f ms, bare command and question %.2f ms\n",
            i + 1, click.last(), floor.last());
        std::fflush(stdout);
    }
    return {bench::Row{QStringLiteral("toolbar click to mirrored state (median)"),
                       bench::Median(click), QStringLiteral("ms"), bench::Median(floor), 0, 16}};
}

[[maybe_unused]] const bool registered = (bench::Register({QStringLiteral("editing"), Run}), true);

} // namespace

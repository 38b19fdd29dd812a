// The composer's toolbar following the editor: the median time from a
// click on a toolbar button to the toolbar showing the state the editor
// reports after the command, beside the same command and question sent
// straight to a bare HTML view; and the median time from a selection
// change in a 5,000-paragraph message to the toolbar showing it, beside
// the same change in a one-paragraph message. Budget: one frame at 60 Hz.

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
    QList<double> click, floor, longMessage, shortMessage;
    for (int i = 0; i < runs; ++i) {
        const QString helper = QStringLiteral(ZENTRO_COMPOSER_HELPER_PATH);
        click << RunHelper(helper, QStringLiteral("editing")).value(QStringLiteral("click"), -1);
        floor << RunHelper(QStringLiteral(ZENTRO_HTML_FLOOR_PATH), QStringLiteral("command"))
                     .value(QStringLiteral("floor"), -1);
        const auto s = RunHelper(helper, QStringLiteral("selection"));
        longMessage << s.value(QStringLiteral("long"), -1);
        shortMessage << s.value(QStringLiteral("short"), -1);
        std::printf("    run %d: toolbar click to state %.2f ms, bare command and question %.2f ms;"
                    " selection to state %.2f ms (5,000 paragraphs), %.2f ms (one)\n",
                    i + 1, click.last(), floor.last(), longMessage.last(), shortMessage.last());
        std::fflush(stdout);
    }
    return {bench::Row{QStringLiteral("toolbar click to mirrored state (median)"),
                       bench::Median(click), QStringLiteral("ms"), bench::Median(floor), 0, 16},
            bench::Row{QStringLiteral("selection change to mirrored state, 5,000 paragraphs "
                                      "(median)"),
                       bench::Median(longMessage), QStringLiteral("ms"),
                       bench::Median(shortMessage), 0, 16}};
}

[[maybe_unused]] const bool registered = (bench::Register({QStringLiteral("editing"), Run}), true);

} // namespace

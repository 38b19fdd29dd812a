// The program after a day of use, each figure in a process of its own:
//   chats    memory after 50 chats opened and closed, over the first
//   idle     a composer left alone, caret blinking in Subject or in the
//            message, on the GL the display offers (software GL here); the
//            message beside a bare view with its caret blinking
//   release  memory 30 s after the last HTML window closed, against the
//            program's fresh memory, summed over its processes and with
//            the pages they share counted once
//   typing   a keystroke in a 5,000-paragraph message until the editor
//            paints it, beside the same in a one-paragraph message

#include "BenchCommon.h"

#include <QHash>

#include <cstdio>

namespace {

QHash<QString, double> RunHelper(const QString& mode)
{
    return bench::RunMeasurements(QStringLiteral(ZENTRO_COMPOSER_HELPER_PATH), {mode}, 120000);
}

double Value(const QHash<QString, double>& figures, const char* name)
{
    return figures.value(QLatin1String(name), -1);
}

QList<bench::Row> Chats(int runs)
{
    QList<double> own, server;
    for (int i = 0; i < runs; ++i) {
        const auto z = RunHelper(QStringLiteral("chats"));
        own << Value(z, "last") - Value(z, "first");
        server << Value(z, "serverLast") - Value(z, "serverFirst");
        std::printf("    run %d: after the first chat %.2f MiB, after 50 %.2f MiB;"
                    " X server %.2f MiB, %.2f MiB\n",
                    i + 1, Value(z, "first"), Value(z, "last"), Value(z, "serverFirst"),
                    Value(z, "serverLast"));
        std::fflush(stdout);
    }
    return {bench::Row{QStringLiteral("memory over 50 chats, the program (median)"),
                       bench::Median(own), QStringLiteral("MiB"), 0, 0, 1},
            bench::Row{QStringLiteral("memory over 50 chats, the X server (median)"),
                       bench::Median(server), QStringLiteral("MiB"), 0, 0, 1}};
}

QList<bench::Row> Idle(int runs)
{
    QList<double> subject, message, floor;
    for (int i = 0; i < runs; ++i) {
        const auto f = bench::RunMeasurements(QStringLiteral(ZENTRO_HTML_FLOOR_PATH),
                                              {QStringLiteral("idle")}, 120000);
        floor << Value(f, "idle") + Value(f, "idleServer");
        const auto z = RunHelper(QStringLiteral("idle"));
        subject << Value(z, "subject") + Value(z, "subjectServer");
        message << Value(z, "message") + Value(z, "messageServer");
        std::printf("    run %d: caret in Subject %.2f %% (X server %.2f %%),"
                    " in the message %.2f %% (X server %.2f %%); bare view %.2f %%\n",
                    i + 1, Value(z, "subject"), Value(z, "subjectServer"), Value(z, "message"),
                    Value(z, "messageServer"), floor.last());
        std::fflush(stdout);
    }
    return {bench::Row{QStringLiteral("composer left alone, caret in Subject, with X (median)"),
                       bench::Median(subject), QStringLiteral("%"), 0, 0, 0.5},
            bench::Row{QStringLiteral("composer left alone, caret in message, with X (median)"),
                       bench::Median(message), QStringLiteral("%"), bench::Median(floor), 0, 0.5}};
}

// Resident memory summed over the processes counts the engine's library
// once in every process that maps it (the program and the engine's
// helper); the tree's own pages, each counted once, carry the budget. For
// the fresh program, one process, both are its resident memory.
QList<bench::Row> Release(int runs)
{
    const QStringList moments = {QStringLiteral("fresh"), QStringLiteral("open"),
                                 QStringLiteral("after5"), QStringLiteral("after30")};
    QHash<QString, QList<double>> figures;
    for (int i = 0; i < runs; ++i) {
        const auto z = RunHelper(QStringLiteral("release"));
        for (const QString& moment : moments)
            for (const QString& name : {moment, moment + QLatin1String("Unique")})
                figures[name] << z.value(name, -1);
        for (const char* name : {"firstOpen", "reopen"})
            figures[QLatin1String(name)] << Value(z, name);
        std::printf("    run %d: fresh %.1f MiB (%.1f), with a composer %.1f MiB (%.1f),"
                    " closed +5 s %.1f MiB (%.1f), +30 s %.1f MiB (%.1f);"
                    " shared pages once in brackets; opened in %.0f ms, again in %.0f ms\n",
                    i + 1, Value(z, "fresh"), Value(z, "freshUnique"), Value(z, "open"),
                    Value(z, "openUnique"), Value(z, "after5"), Value(z, "after5Unique"),
                    Value(z, "after30"), Value(z, "after30Unique"), Value(z, "firstOpen"),
                    Value(z, "reopen"));
        std::fflush(stdout);
    }
    const auto median = [&figures](const char* name) {
        return bench::Median(figures.value(QLatin1String(name)));
    };
    return {bench::Row{QStringLiteral("memory with a composer open (median)"), median("open"),
                       QStringLiteral("MiB"), median("fresh")},
            bench::Row{QStringLiteral("memory 5 s after it closed (median)"), median("after5"),
                       QStringLiteral("MiB"), median("fresh")},
            bench::Row{QStringLiteral("memory 30 s after it closed (median)"), median("after30"),
                       QStringLiteral("MiB"), median("fresh")},
            bench::Row{QStringLiteral("30 s after, shared pages once (median)"),
                       median("after30Unique"), QStringLiteral("MiB"), median("freshUnique"), 2.5},
            bench::Row{QStringLiteral("a composer opened after that, beside the first (median)"),
                       median("reopen"), QStringLiteral("ms"), median("firstOpen")}};
}

QList<bench::Row> Typing(int runs)
{
    QList<double> key, keyShort;
    for (int i = 0; i < runs; ++i) {
        const auto z = RunHelper(QStringLiteral("typing"));
        key << Value(z, "key");
        keyShort << Value(z, "keyShort");
        std::printf("    run %d: keystroke to paint %.2f ms (5,000 paragraphs), %.2f ms (one)\n",
                    i + 1, key.last(), keyShort.last());
        std::fflush(stdout);
    }
    return {bench::Row{QStringLiteral("keystroke to paint, 5,000 paragraphs (median)"),
                       bench::Median(key), QStringLiteral("ms"), bench::Median(keyShort), 0, 16}};
}

[[maybe_unused]] const bool registered =
    (bench::Register({QStringLiteral("chats"), Chats}),
     bench::Register({QStringLiteral("idle"), Idle}),
     bench::Register({QStringLiteral("release"), Release}),
     bench::Register({QStringLiteral("typing"), Typing}), true);

} // namespace

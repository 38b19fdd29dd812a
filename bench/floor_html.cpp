// The HTML floors: a bare HTML engine view in a process that links the
// engine, one process per measurement. Modes:
//   design   load "about:blank" into design mode, twice (the composer's floor)
//   command  a bold command and its question sent to a view in design mode
//   page     load a one-paragraph page, then another view loading it again
//            (the Full Mode window's floor)
//   idle     a view in design mode, drawn in software as the program draws
//            it, left alone with the caret blinking in it
// Prints "first <ms>" and "later <ms>", "floor <ms>" (a median), or
// "idle <percent>" and "idleServer <percent>".

#include "BenchCommon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QQuickWindow>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <cstdio>
#include <memory>

namespace {

constexpr int TimeoutMs = 30000;

// Runs a script in the page's world and waits for its answer; returns when
// it came (0: it did not).
qint64 Run(QWebEnginePage* page, const QString& script)
{
    auto answered = std::make_shared<qint64>(0);
    page->runJavaScript(script, QWebEngineScript::MainWorld,
                        [answered](const QVariant&) { *answered = bench::MonotonicNs(); });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (*answered)
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return *answered;
}

// A view of 800 x height that has loaded: by url, or html when given.
std::unique_ptr<QWebEngineView> LoadedView(int height, const QString& html = {})
{
    auto view = std::make_unique<QWebEngineView>();
    view->resize(800, height);
    view->show();
    QEventLoop loop;
    QObject::connect(view.get(), &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
    if (html.isEmpty())
        view->setUrl(QUrl(QStringLiteral("about:blank")));
    else
        view->setHtml(html);
    loop.exec();
    return view;
}

double DesignOnce()
{
    QElapsedTimer t;
    t.start();
    auto view = LoadedView(400);
    Run(view->page(), QStringLiteral("document.designMode = 'on'; document.designMode"));
    const double ms = t.nsecsElapsed() / 1e6;
    view.release(); // shown until the process ends, as a composer stays
    return ms;
}

double PageOnce()
{
    QElapsedTimer t;
    t.start();
    auto view = LoadedView(
        600, QStringLiteral("<p><b><i>Please select an e-mail message from the list</i></b>"));
    return t.nsecsElapsed() / 1e6;
}

double Command()
{
    constexpr int Warmups = 3;
    constexpr int Samples = 30;
    auto view = LoadedView(400);
    QWebEnginePage* page = view->page();
    Run(page, QStringLiteral("document.designMode = 'on'; true"));
    Run(page, bench::BoldMessage());
    QList<double> ms;
    for (int i = 0; i < Warmups + Samples; ++i) {
        const qint64 start = bench::MonotonicNs();
        const qint64 answered =
            Run(page, QStringLiteral("document.execCommand('bold', false, null);"
                                     "document.queryCommandState('bold')"));
        if (i >= Warmups)
            ms << (answered ? (answered - start) / 1e6 : -1);
    }
    return bench::Median(ms);
}

// The caret blinks in the document, as in a composer's message.
std::pair<double, double> IdleWithCaret()
{
    auto view = LoadedView(400);
    Run(view->page(), QStringLiteral("document.designMode = 'on'; true"));
    view->activateWindow();
    view->setFocus();
    Run(view->page(), QStringLiteral("document.body.focus(); true"));
    bench::Idle(3000);
    return bench::IdleCpu(10);
}

} // namespace

int main(int argc, char* argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "idle")
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication app(argc, argv);
    if (mode == "design" || mode == "page") {
        const auto once = mode == "design" ? DesignOnce : PageOnce;
        const double first = once();
        const double later = once();
        std::printf("first %.3f\nlater %.3f\n", first, later);
    } else if (mode == "idle") {
        const auto [own, server] = IdleWithCaret();
        std::printf("idle %.3f\nidleServer %.3f\n", own, server);
    } else if (mode == "command") {
        std::printf("floor %.3f\n", Command());
    } else {
        std::fprintf(stderr, "usage: floor_html design|command|page|idle\n");
        return 2;
    }
    std::fflush(stdout);
    return 0;
}

// The helper of the Full Mode section, one process per measurement so that
// every "first" is the first of its process. Modes:
//   floor  a bare HTML view loading a one-paragraph page, then another view
//          loading it again
//   full   the program's start-up windows, then the app-bar's Full Mode
//          button until the preview shows the placeholder page; the window
//          closed, and the same again
// Prints "first <ms>" and "later <ms>"; -1 when a wait ran out.

#include "app/Application.h"
#include "appbar/uAppbar.h"
#include "base/AppSetup.h"
#include "base/FadeIn.h"
#include "main/uMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <cstdio>
#include <memory>

namespace {

constexpr int TimeoutMs = 30000;

double FloorOnce()
{
    QElapsedTimer t;
    t.start();
    auto* view = new QWebEngineView();
    view->resize(800, 600);
    view->show();
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
    view->setHtml(QStringLiteral("<p><b><i>Please select an e-mail message from the list</i></b>"));
    loop.exec();
    const double ms = t.nsecsElapsed() / 1e6;
    delete view;
    return ms;
}

// From the click to the placeholder page in the preview: the fade has
// ended and the page's text is the placeholder's.
double FullModeOnce()
{
    QElapsedTimer t;
    t.start();
    fAppBar->sbFull->click();
    QPointer<TfMain> window = fMain;
    // Shared with the engine's answers, which may come after this returns.
    struct State {
        QEventLoop loop;
        bool shown = false;
        bool asking = false;
    };
    auto state = std::make_shared<State>();
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &state->loop, [state, window] {
        if (!window || state->asking || window->Fade->Running())
            return;
        auto* view = window->findChild<QWebEngineView*>();
        if (!view)
            return;
        state->asking = true;
        view->page()->runJavaScript(
            QStringLiteral(
                "!!document.body && document.body.innerText.indexOf('Please select') >= 0"),
            QWebEngineScript::ApplicationWorld, [state](const QVariant& result) {
                state->asking = false;
                if (result.toBool() && !state->shown) {
                    state->shown = true;
                    state->loop.quit();
                }
            });
    });
    poll.start();
    QTimer::singleShot(TimeoutMs, &state->loop, &QEventLoop::quit);
    state->loop.exec();
    const bool shown = state->shown;
    return shown ? t.nsecsElapsed() / 1e6 : -1;
}

void CloseFullMode()
{
    QPointer<TfMain> window = fMain;
    if (!window)
        return;
    window->close();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!window)
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    SetUpApplication(app);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    double first = -1, later = -1;
    if (mode == QLatin1String("floor")) {
        first = FloorOnce();
        later = FloorOnce();
    } else if (mode == QLatin1String("full")) {
        CreateStartupWindows();
        first = FullModeOnce();
        CloseFullMode();
        later = FullModeOnce();
        DestroyAllWindows();
    } else {
        std::fprintf(stderr, "usage: bench_fullmode floor|full\n");
        return 2;
    }
    std::printf("first %.3f\nlater %.3f\n", first, later);
    return 0;
}

// The helper of the Full Mode section, one process per measurement so that
// every "first" is the first of its process: the program's start-up
// windows, then the app-bar's Full Mode button until the preview shows the
// placeholder page; the window closed, and the same again. Like the program
// it does not link the HTML engine (the floor is floor_html's).
// Prints "first <ms>" and "later <ms>"; -1 when a wait ran out.

#include "app/Application.h"
#include "appbar/uAppbar.h"
#include "base/AppSetup.h"
#include "base/FadeIn.h"
#include "htmlview/HtmlView.h"
#include "main/uMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <memory>

namespace {

constexpr int TimeoutMs = 30000;

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
        if (!window->web->EngineStarted())
            return;
        state->asking = true;
        window->web->EvaluateScript(
            QStringLiteral(
                "!!document.body && document.body.innerText.indexOf('Please select') >= 0"),
            [state](const QVariant& result) {
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
    if (mode == QLatin1String("full")) {
        CreateStartupWindows();
        first = FullModeOnce();
        CloseFullMode();
        later = FullModeOnce();
        DestroyAllWindows();
    } else {
        std::fprintf(stderr, "usage: bench_fullmode full\n");
        return 2;
    }
    std::printf("first %.3f\nlater %.3f\n", first, later);
    return 0;
}

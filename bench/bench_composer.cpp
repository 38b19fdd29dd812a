// The helper of the composer section, one process per measurement so that
// every "first" is the first of its process. Modes:
//   floor     a bare HTML view loading "about:blank" into design mode, twice
//   composer  the program's start-up windows, then OpenComposer until the
//             composer's EditorReady, twice
//   chat      the program's start-up windows and a shown chat window; how
//             many HTML engine processes run after a second
// Prints "first <ms>" and "later <ms>", or "engines <n>".

#include "BenchCommon.h"

#include "app/Application.h"
#include "app/uUtils.h"
#include "chat/uChat.h"
#include "compose/uMail.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>

namespace {

// A minimal HTML view: load the blank page, switch on design mode, wait
// until the page confirms it.
double FloorOnce()
{
    QElapsedTimer t;
    t.start();
    auto* view = new QWebEngineView();
    view->resize(800, 400);
    view->show();
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::loadFinished, view, [view, &loop] {
        view->page()->runJavaScript(
            QStringLiteral("document.designMode = 'on'; document.designMode"),
            [&loop](const QVariant&) { loop.quit(); });
    });
    view->setUrl(QUrl(QStringLiteral("about:blank")));
    loop.exec();
    return t.nsecsElapsed() / 1e6;
}

TfMail* g_last = nullptr;

double ComposerOnce()
{
    QElapsedTimer t;
    t.start();
    OpenComposer(QString(), QStringLiteral("Darvel"), QString(), QString());
    TfMail* composer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<TfMail*>(w); m && m != g_last)
            composer = m;
    g_last = composer;
    if (!composer)
        return -1;
    QEventLoop loop;
    QObject::connect(composer, &TfMail::EditorBecameReady, &loop, &QEventLoop::quit);
    if (!composer->EditorReady)
        loop.exec();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    PrepareApplication();
    QApplication app(argc, argv);
    SetUpApplication(app);
    if (mode == "floor") {
        const double first = FloorOnce();
        const double later = FloorOnce();
        std::printf("first %.3f\nlater %.3f\n", first, later);
    } else if (mode == "composer") {
        CreateStartupWindows();
        QCoreApplication::processEvents();
        const double first = ComposerOnce();
        const double later = ComposerOnce();
        std::printf("first %.3f\nlater %.3f\n", first, later);
    } else if (mode == "chat") {
        CreateStartupWindows();
        auto* chat = new TfChat();
        chat->setWindowTitle(QStringLiteral("Chat with Darvel"));
        chat->show();
        QEventLoop loop;
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
        std::printf("engines %d\n", bench::CountInTree(int(QCoreApplication::applicationPid()),
                                                       QStringLiteral("QtWebEngineProcess")));
    } else {
        return 2;
    }
    std::fflush(stdout);
    DestroyAllWindows();
    return 0;
}

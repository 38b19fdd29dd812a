// The helper of the composer section, one process per measurement so that
// every "first" is the first of its process. Like the program it does not
// link the HTML engine: it sits next to the program and loads the engine's
// library when its first view starts. The floors are floor_html's. Modes:
//   composer  the program's start-up windows, then OpenComposer until the
//             composer's EditorReady, twice
//   chat      the program's start-up windows and a shown chat window; how
//             many HTML engine processes run after a second
//   editing   clicks on a composer's Bold button over a selected word, each
//             timed until the toolbar shows the state the editor reports
//             after it
//   selection selection changes in a composer's message of 5,000 paragraphs,
//             each timed from the change until the toolbar shows it, beside
//             the same changes in a message of one paragraph
// Prints "first <ms>" and "later <ms>", "engines <n>", "click <ms>", or
// "long <ms>" and "short <ms>" (medians).

#include "BenchCommon.h"

#include "app/Application.h"
#include "app/uUtils.h"
#include "base/AppSetup.h"
#include "chat/uChat.h"
#include "compose/uMail.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

namespace {

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

constexpr int Warmups = 3;
constexpr int Samples = 30;

// Runs the event loop until done() holds (looked at every millisecond) or
// five seconds have passed. Times are taken where things happen, not here.
bool WaitFor(const std::function<bool()>& done)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(1);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// Runs a script in the view's own world and waits for its answer; returns
// when it came (0: it did not). An answer after the wait has given up goes
// nowhere.
qint64 Run(THtmlView* web, const QString& script)
{
    auto answered = std::make_shared<qint64>(0);
    web->EvaluateScript(script, [answered](const QVariant&) { *answered = bench::MonotonicNs(); });
    WaitFor([&] { return *answered != 0; });
    return *answered;
}

void Mouse(QWidget* w, QEvent::Type type)
{
    const QPointF at = QRectF(w->rect()).center();
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// A new composer whose editor is ready, or null when it did not become so.
TfMail* ReadyComposer()
{
    OpenComposer(QString(), QStringLiteral("Darvel"), QString(), QString());
    TfMail* composer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<TfMail*>(w))
            composer = m;
    return composer && WaitFor([composer] { return composer->EditorReady; }) ? composer : nullptr;
}

double ClickToState()
{
    TfMail* composer = ReadyComposer();
    if (!composer)
        return -1;
    THtmlBridge* bridge = composer->web->Bridge();
    Run(composer->web, bench::BoldMessage());
    if (!WaitFor([composer] { return composer->CutButton->isEnabled(); }))
        return -1;
    QWidget* bold = composer->StandardToolBar->widgetForAction(composer->BoldButton);
    QList<double> ms;
    for (int i = 0; i < Warmups + Samples; ++i) {
        const bool expected = !composer->BoldButton->isChecked();
        const int before = bridge->SnapshotCount();
        qint64 shown = 0;
        // A button is clicked when it is let go; the press comes first.
        Mouse(bold, QEvent::MouseButtonPress);
        QCoreApplication::processEvents();
        const qint64 start = bench::MonotonicNs();
        // After the composer's own handler: the toolbar has been set.
        const auto watch = QObject::connect(bridge, &THtmlBridge::Changed, composer, [&] {
            if (!shown && bridge->SnapshotCount() > before &&
                bridge->CommandValue(QStringLiteral("Bold")).toBool() == expected &&
                composer->BoldButton->isChecked() == expected)
                shown = bench::MonotonicNs();
        });
        Mouse(bold, QEvent::MouseButtonRelease);
        const bool ok = WaitFor([&] { return shown != 0; });
        QObject::disconnect(watch);
        if (i >= Warmups)
            ms << (ok ? (shown - start) / 1e6 : -1);
        // The command's later notifications settle before the next click.
        QEventLoop settle;
        QTimer::singleShot(40, &settle, &QEventLoop::quit);
        settle.exec();
    }
    return bench::Median(ms);
}

// A message with two bold runs a0, a1 and two plain runs a2, a3, each in a
// paragraph of its own in the middle of a long message, or all four in
// the one paragraph of a short one.
QString SelectionMessage(int paragraphs)
{
    const QStringList runs{QStringLiteral("<b id=a0>Bold one</b>"),
                           QStringLiteral("<b id=a1>bold two</b>"),
                           QStringLiteral("<span id=a2>plain one</span>"),
                           QStringLiteral("<span id=a3>plain two</span>")};
    if (paragraphs <= 1)
        return QStringLiteral("<p>%1</p>").arg(runs.join(QLatin1Char(' ')));
    // The four runs take four of the paragraphs.
    QString html;
    for (int i = 0; i < paragraphs - 3; ++i) {
        if (i == paragraphs / 2)
            for (const QString& run : runs)
                html += QStringLiteral("<p>%1</p>").arg(run);
        else
            html += QStringLiteral("<p>Paragraph %1 of a long message, plain text.</p>").arg(i);
    }
    return html;
}

// The median time from a selection change (alternately over both bold
// runs and over both plain runs) to the toolbar's Bold button showing it.
double SelectionToState(TfMail* composer, int paragraphs)
{
    THtmlBridge* bridge = composer->web->Bridge();
    const QString literal = QString::fromUtf8(
        QJsonDocument(QJsonArray{SelectionMessage(paragraphs)}).toJson(QJsonDocument::Compact));
    Run(composer->web,
        QStringLiteral("document.body.innerHTML = %1[0]; document.body.focus(); true")
            .arg(literal));
    constexpr int SelectionSamples = 20;
    QList<double> ms;
    for (int i = 0; i < Warmups + SelectionSamples; ++i) {
        const bool bold = i % 2 == 0;
        const int before = bridge->SnapshotCount();
        qint64 shown = 0;
        const auto watch = QObject::connect(bridge, &THtmlBridge::Changed, composer, [&] {
            if (!shown && bridge->SnapshotCount() > before &&
                composer->BoldButton->isChecked() == bold)
                shown = bench::MonotonicNs();
        });
        const qint64 start = bench::MonotonicNs();
        composer->web->EvaluateScript(
            QStringLiteral("{ const a = document.getElementById('a%1').firstChild;"
                           " const b = document.getElementById('a%2').firstChild;"
                           " getSelection().setBaseAndExtent(a, 2, b, 3); }")
                .arg(bold ? 0 : 2)
                .arg(bold ? 1 : 3));
        const bool ok = WaitFor([&] { return shown != 0; });
        QObject::disconnect(watch);
        if (i >= Warmups)
            ms << (ok ? (shown - start) / 1e6 : -1);
    }
    return bench::Median(ms);
}

std::pair<double, double> SelectionChanges()
{
    TfMail* composer = ReadyComposer();
    if (!composer)
        return {-1, -1};
    const double shortMessage = SelectionToState(composer, 1);
    const double longMessage = SelectionToState(composer, 5000);
    return {longMessage, shortMessage};
}

} // namespace

int main(int argc, char* argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QApplication app(argc, argv);
    SetUpApplication(app);
    if (mode == "composer") {
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
    } else if (mode == "editing") {
        CreateStartupWindows();
        std::printf("click %.3f\n", ClickToState());
    } else if (mode == "selection") {
        CreateStartupWindows();
        const auto [longMessage, shortMessage] = SelectionChanges();
        std::printf("long %.3f\nshort %.3f\n", longMessage, shortMessage);
    } else {
        return 2;
    }
    std::fflush(stdout);
    DestroyAllWindows();
    return 0;
}

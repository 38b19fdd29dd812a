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
//   typing    keystrokes in the middle of a 5,000-paragraph message, each
//             timed until the editor's widget paints again, beside the same
//             in a message of one paragraph
//   chats     a chat opened from the Messenger window and closed, 50 times
//   idle      a composer left alone, the caret in Subject, then in the
//             message: CPU of the process tree and of the X server
//   release   memory fresh, with a composer, and 5 and 30 s after closing it;
//             the times to open that composer and one more after the 30 s
// Prints "first <ms>" and "later <ms>", "engines <n>", "click <ms>",
// "long <ms>" and "short <ms>", "key <ms>" and "keyShort <ms>" (medians), "first
// <MiB>", "last <MiB>", "serverFirst <MiB>" and "serverLast <MiB>",
// "subject <%>", "subjectServer <%>", "message <%>" and "messageServer
// <%>", or "fresh", "open", "after5" and "after30" (MiB), each also with
// shared pages counted once ("freshUnique" and so on), and "firstOpen" and
// "reopen" (ms).

#include "BenchCommon.h"

#include "app/Application.h"
#include "app/uUtils.h"
#include "base/AppSetup.h"
#include "chat/uChat.h"
#include "compose/uMail.h"
#include "contacts/ContactNode.h"
#include "contacts/ContactTree.h"
#include "contacts/uMessenger.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

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

double RssMiB(int pid)
{
    return pid ? bench::TreeRssKiB(pid) / 1024.0 : 0;
}

int OwnPid()
{
    return int(QCoreApplication::applicationPid());
}

// Counts the paints of a widget and notes the time of the last one.
class TPaintWatch : public QObject {
public:
    qint64 last = 0;
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            last = bench::MonotonicNs();
            ++count;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The median time from a keystroke in the middle of a message of the given
// paragraphs to the editor's widget painting again.
double KeyToPaint(TfMail* composer, int paragraphs)
{
    const QString literal = QString::fromUtf8(
        QJsonDocument(QJsonArray{SelectionMessage(paragraphs)}).toJson(QJsonDocument::Compact));
    Run(composer->web, QStringLiteral("document.body.innerHTML = %1[0]; document.body.focus();"
                                      "getSelection().collapse(document.getElementById('a2'), 1);"
                                      "true")
                           .arg(literal));
    composer->activateWindow();
    composer->web->EngineWidget()->setFocus();
    QWidget* proxy = composer->web->EngineWidget()->focusProxy();
    if (!proxy)
        return -1;
    TPaintWatch watch;
    proxy->installEventFilter(&watch);
    bench::Idle(500);
    QList<double> ms;
    for (int i = 0; i < Warmups + Samples; ++i) {
        const int before = watch.count;
        const qint64 start = bench::MonotonicNs();
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QCoreApplication::sendEvent(proxy, &key);
        }
        const bool ok = WaitFor([&] { return watch.count > before; });
        if (i >= Warmups)
            ms << (ok ? (watch.last - start) / 1e6 : -1);
        // Apart as a quick typist's keys, so that each is drawn alone.
        bench::Idle(100);
    }
    proxy->removeEventFilter(&watch);
    return bench::Median(ms);
}

void Chats()
{
    fMessenger = new TfMessenger;
    fMessenger->show();
    TContactTree* tree = fMessenger->tvContacts;
    TContactNode* darvel = tree->FindNode(QStringLiteral("Darvel"));
    const auto once = [&] {
        tree->setCurrentItem(darvel);
        darvel->setSelected(true);
        fMessenger->tvContactsDblClick();
        TfChat* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* chat = qobject_cast<TfChat*>(w); chat && chat->isVisible())
                shown = chat;
        if (!shown)
            return;
        WaitFor([shown] { return shown->windowHandle() && shown->windowHandle()->isExposed(); });
        bench::Idle(30);
        shown->close();
        bench::Idle(30);
    };
    once();
    bench::Idle(1000);
    const int server = bench::XServerPid();
    const double first = RssMiB(OwnPid());
    const double serverFirst = RssMiB(server);
    for (int i = 1; i < 50; ++i)
        once();
    bench::Idle(1000);
    std::printf("first %.3f\nlast %.3f\nserverFirst %.3f\nserverLast %.3f\n", first,
                RssMiB(OwnPid()), serverFirst, RssMiB(server));
}

void IdleComposer()
{
    TfMail* composer = ReadyComposer();
    if (!composer)
        return;
    composer->activateWindow();
    composer->leSubject->setFocus();
    bench::Idle(3000);
    const auto [subject, subjectServer] = bench::IdleCpu(10);
    // A click puts the caret into the message, as the user does.
    QWidget* proxy = composer->web->EngineWidget()->focusProxy();
    if (!proxy)
        return;
    Mouse(proxy, QEvent::MouseButtonPress);
    Mouse(proxy, QEvent::MouseButtonRelease);
    bench::Idle(3000);
    const auto [message, messageServer] = bench::IdleCpu(10);
    std::printf("subject %.3f\nsubjectServer %.3f\nmessage %.3f\nmessageServer %.3f\n", subject,
                subjectServer, message, messageServer);
}

void Release()
{
    // Each moment's figure as resident memory summed over the processes,
    // and with the pages they share counted once.
    const auto note = [](const char* moment) {
        std::printf("%s %.3f\n%sUnique %.3f\n", moment, RssMiB(OwnPid()), moment,
                    bench::TreeUniqueKiB(OwnPid()) / 1024.0);
    };
    bench::Idle(3000);
    note("fresh");
    QElapsedTimer opening;
    opening.start();
    TfMail* composer = ReadyComposer();
    if (!composer)
        return;
    std::printf("firstOpen %.3f\n", opening.nsecsElapsed() / 1e6);
    bench::Idle(1000);
    note("open");
    // Closed from the event loop, as the user closes it: the window is
    // deleted once that loop runs on.
    QTimer::singleShot(0, composer, &QWidget::close);
    bench::Idle(5000);
    note("after5");
    bench::Idle(25000);
    note("after30");
    // What giving the engine back costs the next view.
    opening.start();
    std::printf("reopen %.3f\n", ReadyComposer() ? opening.nsecsElapsed() / 1e6 : -1);
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
    } else if (mode == "typing") {
        CreateStartupWindows();
        TfMail* composer = ReadyComposer();
        const double shortMessage = composer ? KeyToPaint(composer, 1) : -1;
        const double longMessage = composer ? KeyToPaint(composer, 5000) : -1;
        std::printf("key %.3f\nkeyShort %.3f\n", longMessage, shortMessage);
    } else if (mode == "chats") {
        CreateStartupWindows();
        Chats();
    } else if (mode == "idle") {
        CreateStartupWindows();
        IdleComposer();
    } else if (mode == "release") {
        CreateStartupWindows();
        Release();
    } else {
        return 2;
    }
    std::fflush(stdout);
    DestroyAllWindows();
    return 0;
}

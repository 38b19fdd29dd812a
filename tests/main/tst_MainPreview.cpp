// The Full Mode window's preview: the blank page first, the placeholder at
// the end of the fade, the sample message of the selected header, and
// "Check" making the page editable on black.

#include "app/Application.h"
#include "base/FadeIn.h"
#include "htmlview/HtmlView.h"
#include "main/uMain.h"

#include "ZentroTest.h"

#include <QEventLoop>

#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

#include <signal.h>

namespace {

// Evaluates an expression on the preview's page (in the program's own
// script world, as the pages run no scripts of their own).
QVariant Evaluate(TfMain* w, const QString& expression)
{
    QWebEngineView* view = w->web->View();
    if (!view)
        return {};
    // Shared with the engine's answer, which may come after a time-out.
    struct State {
        QEventLoop loop;
        QVariant out;
    };
    auto state = std::make_shared<State>();
    view->page()->runJavaScript(expression, QWebEngineScript::ApplicationWorld,
                                [state](const QVariant& v) {
                                    state->out = v;
                                    state->loop.quit();
                                });
    QTimer::singleShot(5000, &state->loop, &QEventLoop::quit);
    state->loop.exec();
    return state->out;
}

QString PageText(TfMain* w)
{
    return Evaluate(w, QStringLiteral("document.body ? document.body.innerText : ''")).toString();
}

} // namespace

class tst_MainPreview : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { delete m_window; }

    void placeholderAfterTheFade()
    {
        m_window = new TfMain;
        TfMain* w = m_window;
        QVERIFY(w->web->EngineStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!w->Fade->Running(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("Please select an e-mail "
                                                                     "message from the list")),
                                 20000);
        // Replaced in place: still the blank page's address.
        QCOMPARE(w->web->View()->url(), QUrl(QStringLiteral("about:blank")));
        QCOMPARE(
            Evaluate(w, QStringLiteral("document.querySelector('smiley').getAttribute('index')"))
                .toString(),
            QStringLiteral("1"));
    }

    void headerSelectionShowsEachSample()
    {
        m_window = new TfMain;
        TfMain* w = m_window;
        const QString placeholder = QStringLiteral("Please select");
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(placeholder), 20000);
        w->lvHeaders->selectRow(0);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("concert")), 10000);
        QVERIFY(PageText(w).contains(QStringLiteral("Ilvana")));
        w->lvHeaders->selectRow(1);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("Teodric")), 10000);
        QVERIFY(!PageText(w).contains(QStringLiteral("Ilvana")));
        w->lvHeaders->clearSelection();
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(placeholder), 10000);
        // No sample names a real host.
        for (const QString& html :
             {w->Memo1->toPlainText(), w->Memo2->toPlainText(), w->Memo3->toPlainText()}) {
            static const QRegularExpression hosts(
                QStringLiteral("(?:https?://|@)([A-Za-z0-9-]+(?:\\.[A-Za-z0-9-]+)*)"));
            auto it = hosts.globalMatch(html);
            while (it.hasNext()) {
                const QString host = it.next().captured(1);
                QVERIFY2(host.endsWith(QLatin1String(".invalid")) ||
                             host == QLatin1String("www.w3.org"),
                         qPrintable(host));
            }
        }
    }

    void checkMakesThePageEditableOnBlack()
    {
        m_window = new TfMain;
        TfMain* w = m_window;
        w->show();
        // Before there is a page, "Check" has nothing to act on.
        w->Action6Execute();
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("Please select")), 20000);
        QTRY_VERIFY(w->Action6->isEnabled());
        w->Action6->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(Evaluate(w, QStringLiteral("document.designMode")).toString(),
                                  QStringLiteral("on"), 10000);
        QTRY_COMPARE(Evaluate(w, QStringLiteral("getComputedStyle(document.body).backgroundColor"))
                         .toString(),
                     QStringLiteral("rgb(0, 0, 0)"));
        // The page stays, only editable now.
        QVERIFY(PageText(w).contains(QStringLiteral("Please select")));
    }

    void rendererCrashShowsTheSelectedMessageAgain()
    {
        m_window = new TfMain;
        TfMain* w = m_window;
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("Please select")), 20000);
        w->lvHeaders->selectRow(1);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("Teodric")), 10000);

        QWebEnginePage* page = w->web->View()->page();
        const qint64 pid = page->renderProcessPid();
        QVERIFY(pid > 0);
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QTRY_VERIFY_WITH_TIMEOUT(page->renderProcessPid() > 0 && page->renderProcessPid() != pid,
                                 20000);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("Teodric")), 20000);
        QCOMPARE(w->web->View()->url(), QUrl(QStringLiteral("about:blank")));
        // The selection drives the recovered preview as before.
        w->lvHeaders->selectRow(0);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(w).contains(QStringLiteral("Ilvana")), 10000);
    }

private:
    QPointer<TfMain> m_window;
};

ZENTRO_TEST_MAIN(tst_MainPreview)
#include "tst_MainPreview.moc"

// Hostile mail in the Full Mode preview. Each file under hostile/ is one
// attack; every script in them tries to mark the page (an attribute
// data-pwned on the root, or a request to pwned.invalid/ran). Whatever a
// file tries, no script runs, no request leaves for anything but the web
// and the program's emoticons, the view stays where it is and opens
// nothing, the bridge still answers, and a clean message shown next is
// displayed as it should be. A file whose comment says "expect: refused"
// must make the view refuse something (a navigation, a window, a chooser).

#include "htmlengine/HtmlPage.h"
#include "htmlengine/HtmlRequestPolicy.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlView.h"
#include "main/uMain.h"

#include "HtmlEval.h"
#include "ZentroTest.h"

#include <QDesktopServices>
#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

const QString CleanMessage =
    QStringLiteral("<html><body style='margin:0;background:#00ff00'><p id=clean>Clean message</p>"
                   "</body></html>");

bool IsGreen(THtmlView* web)
{
    const QImage image = web->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() - 5) == QColor(0, 255, 0);
}

} // namespace

class tst_HostileHtml : public QObject {
    Q_OBJECT
public slots:
    // The desktop's handler, as QDesktopServices calls it.
    void Open(const QUrl& url) { m_opened << url; }

private slots:
    void initTestCase()
    {
        for (const char* scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
        m_window = new TfMain;
        m_window->resize(900, 700);
        m_window->show();
        QTRY_VERIFY_WITH_TIMEOUT(m_window->web->Document(), 30000);
        m_page = qobject_cast<THtmlPage*>(m_window->web->View()->page());
        QVERIFY(m_page);
        connect(m_window->web->RequestPolicy(), &THtmlRequestPolicy::Passed, this,
                [this](const QUrl& url) { m_passed << url; });
        connect(m_page, &THtmlPage::Refused, this, [this] { ++m_refused; });
        // A dialog the page manages to open is recorded and closed.
        connect(&m_dialogs, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_dialogSeen = true;
                modal->close();
            }
        });
        m_dialogs.start(20);
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        delete m_window;
    }

    void corpus_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QFINDTESTDATA("hostile"));
        const QStringList files = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY2(files.size() >= 30, qPrintable(dir.path()));
        for (const QString& f : files)
            QTest::newRow(qPrintable(f)) << dir.filePath(f);
    }

    void corpus()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        THtmlView* web = m_window->web;
        THtmlBridge* bridge = web->Bridge();
        m_passed.clear();
        m_opened.clear();
        m_refused = 0;
        m_dialogSeen = false;
        QSignalSpy moves(m_page, &QWebEnginePage::urlChanged);

        int snapshots = bridge->SnapshotCount();
        m_window->ShowPreviewHtml(html);
        QTRY_VERIFY_WITH_TIMEOUT(bridge->SnapshotCount() > snapshots, 10000);
        // Everything the page loads has been tried.
        QTRY_COMPARE_WITH_TIMEOUT(Eval(web, QStringLiteral("document.readyState")).toString(),
                                  QStringLiteral("complete"), 20000);

        // The user clicks what the file offers.
        const QVariantList r =
            Eval(web, QStringLiteral("(() => { const e = document.getElementById('click');"
                                     " if (!e) return []; const r = e.getBoundingClientRect();"
                                     " return [r.x, r.y, r.width, r.height]; })()"))
                .toList();
        const QRect target =
            r.size() == 4
                ? QRectF(r[0].toReal(), r[1].toReal(), r[2].toReal(), r[3].toReal()).toRect()
                : QRect();
        if (target.isValid()) {
            snapshots = bridge->SnapshotCount();
            QTest::mouseClick(web->View()->focusProxy(), Qt::LeftButton, {}, target.center());
            QTRY_VERIFY_WITH_TIMEOUT(bridge->SnapshotCount() > snapshots, 10000);
        }
        if (html.contains(QLatin1String("<!-- expect: refused -->")))
            QTRY_VERIFY_WITH_TIMEOUT(m_refused > 0, 10000);

        // No script ran.
        QCOMPARE(Eval(web, QStringLiteral("!!document.querySelector('[data-pwned]')")),
                 QVariant(false));
        // Nothing left but for the web and the program's emoticons.
        for (const QUrl& url : std::as_const(m_passed)) {
            QVERIFY2(QStringList(
                         {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("res")})
                         .contains(url.scheme()),
                     qPrintable(url.toString()));
            QVERIFY2(url.path() != QLatin1String("/ran"), qPrintable(url.toString()));
        }
        // The view stayed on the message and opened nothing.
        QCOMPARE(m_page->url(), QUrl(QStringLiteral("about:blank")));
        QCOMPARE(moves.count(), 0);
        QVERIFY2(m_opened.isEmpty(), qPrintable(m_opened.value(0).toString()));
        QVERIFY(!m_dialogSeen);
        QCOMPARE(m_window->findChildren<QWebEngineView*>().size(), 1);

        // The bridge still answers.
        snapshots = bridge->SnapshotCount();
        Eval(web, QStringLiteral("zentro.report(), true"));
        QTRY_VERIFY_WITH_TIMEOUT(bridge->SnapshotCount() > snapshots, 10000);

        // And the next message shows as it should.
        m_window->ShowPreviewHtml(CleanMessage);
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(web, QStringLiteral("document.body.innerText")).toString().trimmed(),
            QStringLiteral("Clean message"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(IsGreen(web), 10000);
        QCOMPARE(m_page->url(), QUrl(QStringLiteral("about:blank")));
    }

private:
    QPointer<TfMain> m_window;
    THtmlPage* m_page = nullptr;
    QList<QUrl> m_passed;
    QList<QUrl> m_opened;
    int m_refused = 0;
    bool m_dialogSeen = false;
    QTimer m_dialogs;
};

ZENTRO_TEST_MAIN(tst_HostileHtml)
#include "tst_HostileHtml.moc"

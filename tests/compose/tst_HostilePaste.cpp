// The hostile-mail corpus, a style sheet that crashed the engine's paste,
// 100,000 nested elements and 50 MB, pasted and dropped into a composer:
// the renderer lives, only allowed markup and requests (pictures,
// emoticons) come in, and the text does, or a message says it is too large.

#include "htmlengine/HtmlRequestPolicy.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlFilter.h"

#include "ComposerFixture.h"
#include "ZentroTest.h"

#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QWebEngineUrlRequestInfo>

enum TEntry { eEditMenu, eCtrlV, eDrop, eEntries };

class tst_HostilePaste : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_composer = Open(QStringLiteral("Darvel"));
        QVERIFY(m_composer && WaitReady(m_composer));
        connect(m_composer->web->RequestPolicy(), &THtmlRequestPolicy::Passed, this,
                [this](const QUrl& url, int type) {
                    if (url.scheme() != QLatin1String("res") &&
                        type != QWebEngineUrlRequestInfo::ResourceTypeImage)
                        m_refusable << url;
                });
    }

    void cleanupTestCase() { delete m_composer; }

    void paste_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("kept");
        const QDir dir(QFINDTESTDATA("../htmlview/hostile"));
        const QStringList files = dir.entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY(files.size() >= 30);
        int n = 0;
        for (const QString& name : files) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(name))
                << QString::fromUtf8(file.readAll()) << n++ % eEntries << QString();
        }
        const QString crash = QStringLiteral("<style>p{}</style><link rel=stylesheet "
                                             "href=\"http://127.0.0.1:9/a.css\"><p>styled</p>");
        for (const int entry : {eEditMenu, eCtrlV, eDrop})
            QTest::addRow("style sheet link, entry %d", entry)
                << crash << entry << QStringLiteral("styled");
        QTest::newRow("100,000 nested")
            << QStringLiteral("<div>").repeated(100000) + QStringLiteral("deep") << int(eCtrlV)
            << QStringLiteral("deep");
        QTest::newRow("50 MB") << QString(50 * 1000 * 1000, u'x') << int(eEditMenu) << QString();
    }

    void paste()
    {
        QFETCH(QString, html);
        QFETCH(int, entry);
        QFETCH(QString, kept);
        TfMail* f = m_composer;
        QWebEnginePage* page = f->web->View()->page();
        const qint64 renderer = page->renderProcessPid();
        m_refusable.clear();
        SetMessage(f, QStringLiteral("<p id=p>Before</p>"));
        CaretIn(f, QStringLiteral("p"), 6);
        auto* data = new QMimeData;
        data->setHtml(html);
        QWidget* surface = f->web->View()->focusProxy();
        surface->setFocus(); // the Edit menu acts on the field with the focus
        if (entry == eDrop) {
            QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, data, Qt::LeftButton, {});
            QDropEvent drop(QPoint(300, 300), Qt::CopyAction, data, Qt::LeftButton, {});
            QApplication::sendEvent(surface, &enter), QApplication::sendEvent(surface, &drop);
            delete data;
        } else {
            QGuiApplication::clipboard()->setMimeData(data);
            if (entry == eEditMenu)
                f->EditPasteItem->trigger();
            else
                QTest::keyClick(surface, Qt::Key_V, Qt::ControlModifier);
        }
        if (html.size() > HtmlFilter::MaxChars) {
            QTRY_VERIFY(f->findChild<QMessageBox*>() &&
                        f->findChild<QMessageBox*>()->text().contains(QLatin1String("too large")));
            delete f->findChild<QMessageBox*>();
        }
        // Scripts run in order: the insertion has run once this has.
        QCOMPARE(Eval(f->web, QStringLiteral("true")), QVariant(true));
        QCOMPARE(page->renderProcessPid(), renderer);
        QVERIFY(Body(f).contains(QLatin1String("Before")) && Body(f).contains(kept));
        // Nothing the filter drops: such elements, handlers, script or style addresses.
        QCOMPARE(Eval(f->web, QStringLiteral("!!document.querySelector('style, link, script, "
                                             "iframe, object, embed, meta, base, form, svg') || "
                                             "[...document.querySelectorAll('*')].some(e => [..."
                                             "e.attributes].some(a => /^on|script:|url\\(/i"
                                             ".test(a.name + a.value)))")),
                 QVariant(false));
        QVERIFY2(m_refusable.isEmpty(), qPrintable(m_refusable.value(0).toString()));
    }

private:
    TfMail* m_composer = nullptr;
    // Requests that were neither pictures nor emoticons.
    QList<QUrl> m_refusable;
};

ZENTRO_TEST_MAIN(tst_HostilePaste)
#include "tst_HostilePaste.moc"

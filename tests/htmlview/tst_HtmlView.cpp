// The embedded HTML view: lazy engine, settings, the document facade and
// its snapshot answers, notifications, Save As, the "res" scheme and what
// untrusted HTML may not do.

#include "base/AppState.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlDocumentError.h"
#include "htmlview/HtmlView.h"
#include "htmlview/ResAddress.h"

#include "HtmlEval.h"
#include "ProcessTree.h"
#include "ZentroTest.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>

namespace {

// Runs a script in the bridge's world and waits for its result.
// A shown view with a blank page loaded.
std::unique_ptr<THtmlView> BlankView()
{
    auto web = std::make_unique<THtmlView>();
    web->resize(400, 300);
    web->show();
    bool complete = false;
    web->OnDocumentComplete = [&complete](THtmlView*, const QUrl&) {
        complete = true;
    };
    web->Navigate(QStringLiteral("about:blank"));
    [&] {
        QTRY_VERIFY_WITH_TIMEOUT(complete, 20000);
    }();
    web->OnDocumentComplete = nullptr;
    return web;
}

// Loads HTML through the facade as the Full Mode preview does, and waits
// until the bridge reported from the new document.
void Load(THtmlView* web, const QString& html)
{
    const int before = web->Bridge()->SnapshotCount();
    THtmlDocument doc =
        web->Document().Get(QStringLiteral("script")).Get(QStringLiteral("document"));
    doc.Call(QStringLiteral("Open"), {QStringLiteral("text/html")});
    doc.Call(QStringLiteral("Clear"));
    doc.Call(QStringLiteral("Write"), {html});
    doc.Call(QStringLiteral("Close"));
    QTRY_VERIFY_WITH_TIMEOUT(web->Bridge()->SnapshotCount() > before, 10000);
}

// Selects the contents of the element with the id. The snapshot follows;
// callers wait for an answer that tells it from the one before.
void Select(THtmlView* web, const QString& id)
{
    Eval(web, QStringLiteral("(() => { const r = document.createRange();"
                             " r.selectNodeContents(document.getElementById('%1'));"
                             " const s = getSelection(); s.removeAllRanges(); s.addRange(r);"
                             " return true; })()")
                  .arg(id));
}

// Types a file name into a file dialog, as the user does.
void SetFileName(QFileDialog* dialog, const QString& name)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(name);
}

QMenu* VisibleMenu()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible())
            return m;
    return nullptr;
}

} // namespace

class tst_HtmlView : public QObject {
    Q_OBJECT
public slots:
    // The desktop's handler, as QDesktopServices calls it.
    void Open(const QUrl& url) { m_opened << url; }

private slots:
    // First: no engine has run in this process yet.
    void emptyViewHasNoEngineAndNoDocument()
    {
        THtmlView web;
        web.resize(200, 100);
        web.show();
        QCoreApplication::processEvents();
        QVERIFY(!web.EngineStarted());
        QVERIFY(web.Document().IsNull());
        QVERIFY_THROWS_EXCEPTION(EHtmlDocumentError,
                                 web.Document().Call(QStringLiteral("execCommand"), {}));

        // Save As without a document opens nothing and reports nothing.
        bool dialogSeen = false;
        QTimer::singleShot(200, this, [&dialogSeen] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) {
                    dialogSeen = true;
                    d->reject();
                }
        });
        // The dialog would be modal: the call returns once it has gone.
        web.ShowSaveAsDialog();
        QVERIFY(!dialogSeen);
        QVERIFY(!QApplication::activeModalWidget());

        // Painting draws the empty area.
        QImage canvas(300, 200, QImage::Format_ARGB32);
        canvas.fill(Qt::red);
        QPainter p(&canvas);
        web.PaintTo(p, 50, 40);
        p.end();
        QCOMPARE(canvas.pixelColor(10, 10), QColor(Qt::red));
        QCOMPARE(canvas.pixelColor(100, 80), web.palette().color(QPalette::Base));

        QVERIFY(!web.EngineStarted());
        QCOMPARE(proctree::EngineProcesses(), 0);
    }

    void flagSetsAreRecomputedAndApplied()
    {
        auto web = BlankView();
        QCOMPARE(web->DownloadControlFlags(), 0x70u);
        QCOMPARE(web->HostUIFlags(), 0u);
        QCOMPARE(web->frameShape(), QFrame::StyledPanel);

        web->SetUserInterfaceOptions(NO3DBORDER | FLAT_SCROLLBAR);
        QCOMPARE(web->HostUIFlags(), 0x84u);
        QCOMPARE(web->frameShape(), QFrame::NoFrame);

        QWebEnginePage* page = web->View()->page();
        // Nothing of the views is kept on disk.
        QVERIFY(page->profile()->isOffTheRecord());
        QVERIFY(page->settings()->testAttribute(QWebEngineSettings::AutoLoadImages));
        QVERIFY(!page->isAudioMuted());
        QVERIFY(!page->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));

        web->SetDownloadOptions(DLCTL_VIDEOS | DLCTL_OFFLINE);
        QCOMPARE(web->DownloadControlFlags(), 0x80000020u);
        QVERIFY(!page->settings()->testAttribute(QWebEngineSettings::AutoLoadImages));
        QVERIFY(page->isAudioMuted());

        web->SetUserInterfaceOptions(SCROLL_NO);
        QVERIFY(!page->settings()->testAttribute(QWebEngineSettings::ShowScrollBars));
        QCOMPARE(web->frameShape(), QFrame::StyledPanel);

        web->SetDownloadOptions(DefaultDownloadOptions);
        QVERIFY(page->settings()->testAttribute(QWebEngineSettings::AutoLoadImages));
        QVERIFY(!page->isAudioMuted());
    }

    void namesAreMatchedWithoutCaseAndUnknownNamesRaise()
    {
        auto web = BlankView();
        const THtmlDocument doc = web->Document();
        QVERIFY(!doc.IsNull());
        QVERIFY(doc == web->Document());

        const THtmlDocument inner =
            doc.Get(QStringLiteral("SCRIPT")).Get(QStringLiteral("Document"));
        QVERIFY(!inner.IsNull());
        QVERIFY(inner == doc);

        doc.Set(QStringLiteral("DesignMode"), QStringLiteral("On"));
        QTRY_COMPARE_WITH_TIMEOUT(Eval(web.get(), QStringLiteral("document.designMode")).toString(),
                                  QStringLiteral("on"), 10000);
        doc.Set(QStringLiteral("designmode"), QStringLiteral("Off"));
        QTRY_COMPARE_WITH_TIMEOUT(Eval(web.get(), QStringLiteral("document.designMode")).toString(),
                                  QStringLiteral("off"), 10000);
        doc.Set(QStringLiteral("BGCOLOR"), QStringLiteral("#000000"));
        QTRY_COMPARE_WITH_TIMEOUT(Eval(web.get(), QStringLiteral("document.bgColor")).toString(),
                                  QStringLiteral("#000000"), 10000);

        QVERIFY_THROWS_EXCEPTION(EHtmlDocumentError, doc.Call(QStringLiteral("navigate")));
        QVERIFY_THROWS_EXCEPTION(EHtmlDocumentError,
                                 doc.Set(QStringLiteral("title"), QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(EHtmlDocumentError, doc.Get(QStringLiteral("document")));
        // The window has a document and nothing of the document's own.
        const THtmlDocument window = doc.Get(QStringLiteral("script"));
        QVERIFY_THROWS_EXCEPTION(EHtmlDocumentError, window.Call(QStringLiteral("execCommand"),
                                                                 {QStringLiteral("Bold")}));
        QVERIFY_THROWS_EXCEPTION(EHtmlDocumentError, doc.Call(QStringLiteral("queryCommandValue")));
        try {
            doc.Call(QStringLiteral("frobnicate"));
            QFAIL("no error raised");
        } catch (const EHtmlDocumentError& e) {
            QVERIFY(e.Message().contains(QStringLiteral("frobnicate")));
        }

        // A reference outliving its view raises instead of crashing.
        web.reset();
        QVERIFY_THROWS_EXCEPTION(EHtmlDocumentError, doc.Call(QStringLiteral("close")));
    }

    void writingReplacesThePageInPlace()
    {
        auto web = BlankView();
        Load(web.get(), QStringLiteral("<html><body><p id=a>First</p></body></html>"));
        QCOMPARE(Eval(web.get(), QStringLiteral("document.body.innerText")).toString().trimmed(),
                 QStringLiteral("First"));
        QCOMPARE(web->View()->url(), QUrl(QStringLiteral("about:blank")));

        // A second write replaces the first, and the bridge still reports.
        Load(web.get(), QStringLiteral("<p id=b>Second</p>"));
        QCOMPARE(Eval(web.get(), QStringLiteral("document.body.innerText")).toString().trimmed(),
                 QStringLiteral("Second"));
        QCOMPARE(web->Bridge()->CommandEnabled(QStringLiteral("Copy")), false);
        Select(web.get(), QStringLiteral("b"));
        QTRY_COMPARE_WITH_TIMEOUT(web->Bridge()->CommandEnabled(QStringLiteral("Copy")), true,
                                  10000);
    }

    void questionsAreAnsweredFromTheSnapshotWithTheirTypes()
    {
        auto web = BlankView();
        Load(web.get(),
             QStringLiteral(
                 "<body style='font-family: Arial; font-size: 16px'>"
                 "<p id=bold><b>bold</b></p>"
                 "<p id=plain style='text-align: center'>plain</p>"
                 "<p id=red><font color='#ff0000' size=5 face='Courier New'>red</font></p>"
                 "<p id=mixed><font size=2>small</font><font size=6>large</font></p>"
                 "</body>"));
        const THtmlDocument doc = web->Document();
        doc.Set(QStringLiteral("designMode"), QStringLiteral("On"));

        int changes = 0;
        web->OnCommandStateChange = [&changes](THtmlView*, int, bool) {
            ++changes;
        };
        Select(web.get(), QStringLiteral("bold"));
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("Bold")}), QVariant(true),
            10000);
        // The caret an editor starts with is reported first, the selection next.
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandEnabled"), {QStringLiteral("Copy")}),
            QVariant(true), 10000);
        QVERIFY(changes > 0);
        QVariant v = doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("Bold")});
        QCOMPARE(v.typeId(), int(QMetaType::Bool));
        QCOMPARE(v.toBool(), true);
        QCOMPARE(doc.Call(QStringLiteral("QUERYCOMMANDVALUE"), {QStringLiteral("bold")}),
                 QVariant(true));
        QCOMPARE(doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("JustifyCenter")}),
                 QVariant(false));
        QCOMPARE(doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontName")}),
                 QVariant(QStringLiteral("Arial")));
        v = doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontSize")});
        QCOMPARE(v.typeId(), int(QMetaType::Int));
        QCOMPARE(v.toInt(), 3);
        v = doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("ForeColor")});
        QCOMPARE(v.typeId(), int(QMetaType::Int));
        QCOMPARE(v.toInt(), 0);
        // A selection can be cut and copied.
        v = doc.Call(QStringLiteral("queryCommandEnabled"), {QStringLiteral("Copy")});
        QCOMPARE(v.typeId(), int(QMetaType::Bool));
        QCOMPARE(v.toBool(), true);
        QCOMPARE(doc.Call(QStringLiteral("queryCommandEnabled"), {QStringLiteral("cut")}),
                 QVariant(true));

        Select(web.get(), QStringLiteral("plain"));
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("justifycenter")}),
            QVariant(true), 10000);
        QCOMPARE(doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("Bold")}),
                 QVariant(false));

        Select(web.get(), QStringLiteral("red"));
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("ForeColor")}),
            QVariant(0x0000FF), 10000);
        QCOMPARE(doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontSize")}),
                 QVariant(5));
        QCOMPARE(doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontName")}),
                 QVariant(QStringLiteral("Courier New")));

        // Two sizes in the selection: no single value.
        Select(web.get(), QStringLiteral("mixed"));
        QTRY_VERIFY_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontSize")}).isNull(),
            10000);
        QCOMPARE(doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontName")}),
                 QVariant(QStringLiteral("Arial")));

        // Nothing selected: no values, and nothing to cut.
        Eval(web.get(), QStringLiteral("getSelection().removeAllRanges(), true"));
        QTRY_VERIFY_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontName")}).isNull(),
            10000);
        QVERIFY(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("ForeColor")}).isNull());
        QCOMPARE(doc.Call(QStringLiteral("queryCommandEnabled"), {QStringLiteral("Cut")}),
                 QVariant(false));
        // An unknown command has no value and is not enabled.
        QVERIFY(
            !doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("Nonsense")}).isValid());
        QCOMPARE(doc.Call(QStringLiteral("queryCommandEnabled"), {QStringLiteral("Nonsense")}),
                 QVariant(false));
    }

    void commandsReachTheEditor()
    {
        auto web = BlankView();
        Load(web.get(), QStringLiteral("<p id=t>text</p><p id=u>more</p>"));
        const THtmlDocument doc = web->Document();
        doc.Set(QStringLiteral("designMode"), QStringLiteral("On"));
        Select(web.get(), QStringLiteral("t"));

        doc.Call(QStringLiteral("execCommand"), {QStringLiteral("Bold"), false, false});
        // A snapshot follows the command.
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("Bold")}), QVariant(true),
            10000);
        QVERIFY(Eval(web.get(), QStringLiteral("document.getElementById('t').innerHTML"))
                    .toString()
                    .contains(QStringLiteral("<b>")));

        // An integer colour in 0x00BBGGRR order, a size as an integer.
        doc.Call(QStringLiteral("EXECCOMMAND"), {QStringLiteral("ForeColor"), false, 0xFF0000});
        doc.Call(QStringLiteral("execCommand"), {QStringLiteral("FontSize"), false, 6});
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("ForeColor")}),
            QVariant(0xFF0000), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandValue"), {QStringLiteral("FontSize")}),
            QVariant(6), 10000);
        const QString html =
            Eval(web.get(), QStringLiteral("document.getElementById('t').innerHTML")).toString();
        QVERIFY2(html.contains(QStringLiteral("#0000ff")), qPrintable(html));

        // Undo goes through the engine and takes the last change back.
        QTRY_COMPARE_WITH_TIMEOUT(
            doc.Call(QStringLiteral("queryCommandEnabled"), {QStringLiteral("Undo")}),
            QVariant(true), 10000);
        doc.Call(QStringLiteral("execCommand"), {QStringLiteral("Undo"), false, false});
        QTRY_VERIFY_WITH_TIMEOUT(
            !Eval(web.get(), QStringLiteral("document.getElementById('t').innerHTML"))
                 .toString()
                 .contains(QStringLiteral("size=\"6\"")),
            10000);
    }

    void linkDialogIsOursAndTidied()
    {
        auto web = BlankView();
        QApplication::setWindowIcon(QIcon(QPixmap(16, 16)));
        SetApplicationTitle(QStringLiteral("Zentro Compose"));
        web->SetReplaceCaption(true);
        Load(web.get(), QStringLiteral("<p id=t>link me</p>"));
        const THtmlDocument doc = web->Document();
        doc.Set(QStringLiteral("designMode"), QStringLiteral("On"));
        Select(web.get(), QStringLiteral("t"));

        QString caption;
        bool iconSet = false;
        QTimer::singleShot(100, this, [&] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            caption = d->windowTitle();
            iconSet = d->windowIcon().cacheKey() == QApplication::windowIcon().cacheKey();
            auto* edit = d->findChild<QLineEdit*>();
            edit->setText(QStringLiteral("http://example.invalid/"));
            d->accept();
        });
        doc.Call(QStringLiteral("execCommand"), {QStringLiteral("CreateLink"), true, false});
        QCOMPARE(caption, QStringLiteral("Hyperlink - Zentro Compose"));
        QVERIFY(iconSet);
        QTRY_VERIFY_WITH_TIMEOUT(
            Eval(web.get(), QStringLiteral("document.getElementById('t').innerHTML"))
                .toString()
                .contains(QStringLiteral("href=\"http://example.invalid/\"")),
            10000);

        // Cancelled: nothing changes. Without ReplaceCaption: caption as is.
        web->SetReplaceCaption(false);
        caption.clear();
        QTimer::singleShot(100, this, [&] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                caption = d->windowTitle();
                d->reject();
            }
        });
        doc.Call(QStringLiteral("execCommand"), {QStringLiteral("InsertImage"), true, false});
        QCOMPARE(caption, QStringLiteral("Picture"));
        QCOMPARE(Eval(web.get(), QStringLiteral("document.images.length")).toInt(), 0);
    }

    void contextMenuRequestsFollowTheHandler()
    {
        auto web = BlankView();
        Load(web.get(), QStringLiteral("<p>text</p>"));
        QWidget* surface = web->View()->focusProxy();
        QVERIFY(surface);
        QCOMPARE(THtmlView::FromEventTarget(surface), web.get());
        QCOMPARE(THtmlView::FromEventTarget(web.get()), nullptr);

        // Without a handler the engine's own menu opens.
        QCOMPARE(web->ShowContextMenu(cmDefault, QPoint()), int(S_FALSE));
        QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(50, 50));
        QTRY_VERIFY_WITH_TIMEOUT(VisibleMenu() != nullptr, 10000);
        VisibleMenu()->close();
        QTRY_VERIFY(VisibleMenu() == nullptr);

        // A handler that answers S_OK gets the screen point; no engine menu.
        QPoint reported;
        int calls = 0;
        web->OnShowContextMenu = [&](quint32, const QPoint& p) {
            reported = p;
            ++calls;
            return int(S_OK);
        };
        QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(60, 40));
        QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 10000);
        QCOMPARE(reported, web->View()->mapToGlobal(QPoint(60, 40)));
        QVERIFY(PostedEventsHandled());
        QVERIFY(VisibleMenu() == nullptr);
        QCOMPARE(web->ShowContextMenu(cmDefault, QPoint()), int(S_OK));
    }

    void keysReachTheEditor()
    {
        auto web = BlankView();
        Load(web.get(), QStringLiteral("<body></body>"));
        web->Document().Set(QStringLiteral("designMode"), QStringLiteral("On"));
        QTRY_COMPARE_WITH_TIMEOUT(Eval(web.get(), QStringLiteral("document.designMode")).toString(),
                                  QStringLiteral("on"), 10000);
        QWidget* surface = web->View()->focusProxy();
        web->activateWindow();
        surface->setFocus();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::keyClicks(surface, QStringLiteral("abcd"));
        QTest::keyClick(surface, Qt::Key_Backspace);
        QTest::keyClick(surface, Qt::Key_Left);
        QTest::keyClick(surface, Qt::Key_Return);
        QTest::keyClicks(surface, QStringLiteral("x"));
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(web.get(), QStringLiteral("document.body.innerText")).toString().simplified(),
            QStringLiteral("ab xc"), 10000);
        // Enter starts a new paragraph.
        QCOMPARE(Eval(web.get(), QStringLiteral("document.body.innerHTML")).toString(),
                 QStringLiteral("ab<p>xc</p>"));
    }

    void saveAsWritesTheDocument()
    {
        auto web = BlankView();
        Load(web.get(), QStringLiteral("<p>Saved \u00e9 text</p>"));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("out.htm"));
        QTimer::singleShot(200, this, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            SetFileName(d, file);
            static_cast<QDialog*>(d)->accept();
        });
        web->ShowSaveAsDialog();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), 10000);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY2(text.contains(QStringLiteral("<p>Saved \u00e9 text</p>")), qPrintable(text));

        // Failures are swallowed: an unwritable place writes nothing.
        QTimer::singleShot(200, this, [&] {
            if (auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                SetFileName(d, QStringLiteral("/proc/zentro-cannot-write.htm"));
                static_cast<QDialog*>(d)->accept();
            }
        });
        web->ShowSaveAsDialog();
        // The page's text comes back in order: after this answer, the
        // write has been tried.
        QVERIFY(Eval(web.get(), QStringLiteral("1")).isValid());
        QVERIFY(!QFile::exists(QStringLiteral("/proc/zentro-cannot-write.htm")));
    }

    void untrustedHtmlRunsNoScriptAndReadsNoLocalFile()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath(QStringLiteral("p.png"));
        QImage(4, 4, QImage::Format_RGB32).save(picture);
        auto web = BlankView();
        const QString emoticon = ResAddress::EmoticonUrl(1).toString();
        Load(web.get(),
             QStringLiteral("<script>document.title = 'script ran';</script>"
                            "<img id=local src='%1' onerror=\"document.title='handler ran'\">"
                            "<img id=res src='%2'>"
                            "<img id=other src='%3'>"
                            "<iframe id=frame src='%4'></iframe>")
                 .arg(QUrl::fromLocalFile(picture).toString(), emoticon,
                      ResAddress::EmoticonUrl(ResAddress::EmoticonCount + 1).toString(),
                      QUrl::fromLocalFile(picture).toString()));
        // The program's own emoticon loads through "res"; a missing one and
        // the local file do not.
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(web.get(), QStringLiteral("document.getElementById('res').naturalWidth")).toInt(),
            32, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(
            Eval(web.get(), QStringLiteral("document.getElementById('local').complete")).toBool(),
            10000);
        QCOMPARE(Eval(web.get(), QStringLiteral("document.getElementById('local').naturalWidth"))
                     .toInt(),
                 0);
        QCOMPARE(Eval(web.get(), QStringLiteral("document.getElementById('other').naturalWidth"))
                     .toInt(),
                 0);
        QCOMPARE(Eval(web.get(), QStringLiteral("document.title")).toString(), QString());
        // The page cannot navigate itself to a local file either.
        QSignalSpy loaded(web->View(), &QWebEngineView::loadFinished);
        web->Navigate(QUrl::fromLocalFile(picture).toString());
        QVERIFY(loaded.wait(10000));
        QCOMPARE(web->View()->url().scheme(), QStringLiteral("about"));
    }

    void statusTextIsTheLinkUnderThePointer()
    {
        auto web = BlankView();
        Load(web.get(), QStringLiteral("<body style='margin:0'><a href='http://example.invalid/x' "
                                       "style='display:block;height:100px'>link</a></body>"));
        QString status = QStringLiteral("unset");
        web->OnStatusTextChange = [&status](THtmlView*, const QString& text) {
            status = text;
        };
        QWidget* surface = web->View()->focusProxy();
        QTest::mouseMove(surface, QPoint(30, 30));
        QTRY_COMPARE_WITH_TIMEOUT(status, QStringLiteral("http://example.invalid/x"), 10000);
        QTest::mouseMove(surface, QPoint(30, 250));
        QTRY_COMPARE_WITH_TIMEOUT(status, QString(), 10000);
    }

    void linksLeaveForTheDesktopAndTheViewStays()
    {
        // What a click on each link does: opened by the desktop or refused.
        const struct {
            const char* href;
            const char* target;
            bool opens;
        } links[] = {
            {"http://example.invalid/a", "", true},
            {"https://example.invalid/b?c=d", "", true},
            {"mailto:someone@example.invalid", "", true},
            {"http://example.invalid/new", "_blank", true},
            {"ftp://example.invalid/f", "", false},
            {"zentro-x:anything", "", false},
            {"res://zentro/RT_EMOTICON/1", "", false},
            {"data:text/html,<p>x</p>", "_blank", false},
        };
        for (const char* scheme : {"http", "https", "mailto", "ftp", "zentro-x", "res", "data"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
        auto web = BlankView();
        QString html = QStringLiteral("<body style='margin:0'>");
        for (const auto& link : links)
            html += QStringLiteral("<a href='%1' target='%2' style='display:block;height:30px'>"
                                   "link</a>")
                        .arg(QString::fromLatin1(link.href), QString::fromLatin1(link.target));
        Load(web.get(), html);
        QWebEnginePage* page = web->View()->page();
        // A refused navigation starts and stops, but never moves the view.
        QSignalSpy moves(page, &QWebEnginePage::urlChanged);
        int completions = 0;
        web->OnDocumentComplete = [&completions](THtmlView*, const QUrl&) {
            ++completions;
        };
        QWidget* surface = web->View()->focusProxy();
        // The page takes the pointer once it names the link under it: until
        // its first frame a busy machine may drop a click (hovering again
        // is harmless, clicking again is not).
        QString hovered;
        web->OnStatusTextChange = [&hovered](THtmlView*, const QString& text) {
            hovered = text;
        };
        QTRY_VERIFY_WITH_TIMEOUT(
            (QTest::mouseMove(surface, QPoint(20, 15)), hovered == QLatin1String(links[0].href)),
            10000);
        int row = 0;
        for (const auto& link : links) {
            m_opened.clear();
            const int before = web->Bridge()->SnapshotCount();
            QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 15 + 30 * row++));
            if (link.opens) {
                QTRY_COMPARE_WITH_TIMEOUT(m_opened.size(), 1, 10000);
                QCOMPARE(m_opened.first(), QUrl(QString::fromLatin1(link.href)));
                continue;
            }
            // The click has been handled, and whatever it asked for too.
            QTRY_VERIFY_WITH_TIMEOUT(web->Bridge()->SnapshotCount() > before, 10000);
            Eval(web.get(), QStringLiteral("true"));
            QCoreApplication::processEvents();
            QVERIFY2(m_opened.isEmpty(), link.href);
        }
        QCOMPARE(moves.count(), 0);
        QCOMPARE(completions, 0);
        QCOMPARE(web->View()->url(), QUrl(QStringLiteral("about:blank")));

        // While the page is edited a click on a link places the caret there.
        web->Document().Set(QStringLiteral("designMode"), QStringLiteral("On"));
        QTRY_VERIFY_WITH_TIMEOUT(web->Bridge()->Editing(), 10000);
        m_opened.clear();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 15));
        QTRY_COMPARE_WITH_TIMEOUT(web->Bridge()->LinkAtSelection(),
                                  QStringLiteral("http://example.invalid/a"), 10000);
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 45));
        QTRY_COMPARE_WITH_TIMEOUT(web->Bridge()->LinkAtSelection(),
                                  QStringLiteral("https://example.invalid/b?c=d"), 10000);
        QCOMPARE(moves.count(), 0);
        QVERIFY(m_opened.isEmpty());
        for (const char* scheme : {"http", "https", "mailto", "ftp", "zentro-x", "res", "data"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void paintingShowsThePage()
    {
        auto web = BlankView();
        web->SetUserInterfaceOptions(NO3DBORDER);
        Load(web.get(), QStringLiteral("<body style='margin:0;background:#00ff00'></body>"));
        QImage canvas(500, 400, QImage::Format_ARGB32);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                canvas.fill(Qt::white);
                QPainter p(&canvas);
                web->PaintTo(p, 0, 100);
                return canvas.pixelColor(200, 250) == QColor(0, 255, 0);
            }(),
            10000);
        QCOMPARE(canvas.pixelColor(200, 50), QColor(Qt::white));
    }

    // A lean engine (no unsandboxed helper, no GL left to programs opened
    // from here, helpers of ours that keep no relocation records) whose
    // code goes back with the last view, and comes again.
    void theLastViewGivesTheEngineBack()
    {
        const int self = int(QCoreApplication::applicationPid());
        // KiB of the engine's library held, and mapped, with these rights
        // at this offset (any offset where empty).
        const auto engine = [](int pid, const QByteArray& perms, const QByteArray& offset) {
            long held = 0, mapped = 0;
            bool in = false;
            for (const QByteArray& line : proctree::ReadProc(pid, "smaps").split('\n')) {
                const QList<QByteArray> f = line.simplified().split(' ');
                if (f.value(0).contains('-')) {
                    in = f.value(1) == perms && f.value(5).contains("libQt6WebEngineCore") &&
                         (offset.isEmpty() || f.value(2) == offset);
                    const QList<QByteArray> range = f.value(0).split('-');
                    mapped +=
                        in ? (range[1].toLongLong(nullptr, 16) - range[0].toLongLong(nullptr, 16)) /
                                 1024
                           : 0;
                }
                held += in && f.value(0) == "Rss:" ? f.value(1).toLong() : 0;
            }
            return std::pair{held, mapped};
        };
        auto web = BlankView();
        QVERIFY(!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"));
        const QList<int> helpers = proctree::Tree(self).mid(1);
        QVERIFY(!helpers.isEmpty());
        for (int pid : helpers) {
            const QByteArray command = proctree::ReadProc(pid, "cmdline");
            QVERIFY(!command.contains("--no-zygote-sandbox"));
            QVERIFY2(QByteArray(command.constData()).endsWith("/zentro-htmlhelper"),
                     command.constData());
            const auto [records, mapped] = engine(pid, "r--p", "00000000");
            QVERIFY2(records < mapped / 4, QByteArray::number(records).constData());
        }
        const long held = engine(self, "r-xp", {}).first;
        web.reset();
        QTRY_VERIFY_WITH_TIMEOUT(held > 1024 && engine(self, "r-xp", {}).first < held / 4, 20000);
        web = BlankView();
        Load(web.get(), QStringLiteral("<p id=p>again</p>"));
    }

private:
    QList<QUrl> m_opened;
};

ZENTRO_TEST_MAIN(tst_HtmlView)
#include "tst_HtmlView.moc"

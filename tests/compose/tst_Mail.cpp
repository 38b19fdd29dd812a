// The composer: its window, the opening sequence up to EditorReady,
// independent composers, and the handlers of its menus and editor.

#include "app/uUtils.h"
#include "base/AppState.h"
#include "base/FadeIn.h"
#include "base/ImageList.h"
#include "compose/uMail.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlView.h"
#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"

#include "ComposerFixture.h"
#include "ZentroTest.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

#include <signal.h>

class tst_Mail : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (TfMail* m : Composers())
            delete m;
    }

    // Killed five times in a row, the renderer never takes the message
    // with it; what is typed meanwhile goes into it. (First: after many
    // composers, a killed renderer's successor here at times runs no script.)
    void repeatedCrashesKeepEveryCharacter()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);
        SetMessage(f, QStringLiteral("<p id=p>Every character counts</p>"));
        // Snapshots come in order: the copy of the message is there once
        // the one asked for now is.
        const int snapshots = f->web->Bridge()->SnapshotCount();
        Eval(f->web, QStringLiteral("zentro.report(), true"));
        QTRY_VERIFY_WITH_TIMEOUT(f->web->Bridge()->SnapshotCount() > snapshots, 20000);
        const QString written = Body(f);
        for (int crash = 1; crash <= 5; ++crash) {
            QSignalSpy ready(f, &TfMail::EditorBecameReady);
            QCOMPARE(::kill(pid_t(f->web->View()->page()->renderProcessPid()), SIGKILL), 0);
            if (crash == 5) {
                QTRY_VERIFY(!f->EditorReady);
                QTest::keyClicks(f->web->EngineWidget(), QStringLiteral(" typed"));
            }
            QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 30000);
            QTRY_COMPARE_WITH_TIMEOUT(Body(f).remove(QStringLiteral(" typed")), written, 40000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(Body(f).contains(QStringLiteral("counts typed")), 20000);
    }

    void windowLayout()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(f);
        QVERIFY(!f->windowIcon().isNull());
        // The design, as (part, what the window has, what it should have).
        const struct {
            const char* part;
            QVariant actual, expected;
        } design[] = {
            {"title", f->windowTitle(), QStringLiteral("Compose")},
            {"size", f->size(), QSize(811, 600)},
            {"header height", f->pHeader->height(), 109},
            {"header colour", f->pHeader->palette().color(QPalette::Window), QColor(Qt::white)},
            {"Subject", f->leSubject->geometry().topLeft(), QPoint(60, 8)},
            {"To", f->leTo->geometry().topLeft(), QPoint(60, 32)},
            {"CC", f->leCC->geometry().topLeft(), QPoint(60, 56)},
            {"BCC", f->leBCC->geometry().topLeft(), QPoint(60, 80)},
            {"toolbar top", f->StandardToolBar->y(), 109},
            {"toolbar height", f->StandardToolBar->height(), 40},
            {"editor top", f->web->y(), 149},
        };
        for (const auto& d : design)
            QVERIFY2(d.actual == d.expected, qPrintable(QStringLiteral("%1: %2").arg(
                                                 QLatin1String(d.part), d.actual.toString())));

        // Every header field is 72 pixels narrower than the panel.
        for (const int width : {600, 1000}) {
            f->resize(width, 600);
            QTRY_COMPARE(f->pHeader->width(), width);
            for (QLineEdit* e : {f->leSubject, f->leTo, f->leCC, f->leBCC})
                QCOMPARE(e->width(), width - 72);
        }
        // Resizing gives the room to the editor only.
        QCOMPARE(f->pHeader->height(), 109);
        QCOMPARE(f->StandardToolBar->height(), 40);

        // The toolbar, left to right.
        const QList<QAction*> items = f->StandardToolBar->actions();
        QCOMPARE(items.size(), 24);
        const QList<QAction*> expected = {f->CutButton,
                                          f->CopyButton,
                                          f->PasteButton,
                                          f->UndoButton,
                                          f->RedoButton,
                                          f->ToolButton10,
                                          nullptr,
                                          f->ToolButton11,
                                          nullptr,
                                          f->ToolButton2,
                                          f->BoldButton,
                                          f->ItalicButton,
                                          f->UnderlineButton,
                                          f->ColorButton,
                                          f->ToolButton16,
                                          f->LeftAlign,
                                          f->CenterAlign,
                                          f->RightAlign,
                                          f->FullAlign,
                                          f->ToolButton1,
                                          f->ImageButton,
                                          f->LinkButton,
                                          f->ToolButton3,
                                          f->EmoticonsButton};
        for (int i = 0; i < items.size(); ++i)
            if (expected[i])
                QCOMPARE(items[i], expected[i]);
        QCOMPARE(f->StandardToolBar->widgetForAction(items[6]), f->FontName);
        QCOMPARE(f->StandardToolBar->widgetForAction(items[8]), f->FontSize);
        for (QAction* s : {f->ToolButton10, f->ToolButton11, f->ToolButton2, f->ToolButton16,
                           f->ToolButton1, f->ToolButton3})
            QVERIFY(s->isSeparator());
        QCOMPARE(f->StandardToolBar->widgetForAction(f->BoldButton)->size(), QSize(31, 30));
        QCOMPARE(f->StandardToolBar->iconSize(), QSize(24, 24));
        QCOMPARE(f->CutButton->toolTip(), QStringLiteral("Delete selected item"));
        QCOMPARE(f->LinkButton->toolTip(), QStringLiteral("Hyperlink"));
        QCOMPARE(f->EmoticonsButton->toolTip(), QStringLiteral("Insert an Emoticon"));
        QCOMPARE(f->FontName->toolTip(), QStringLiteral("Font Name"));
        QCOMPARE(f->FontSize->toolTip(), QStringLiteral("Font Size"));
        QCOMPARE(f->IconsON->Count(), 16);
        QCOMPARE(f->IconsOff->Count(), 16);
        QCOMPARE(f->IconsON->Size(), QSize(24, 24));
        auto* emoticons =
            qobject_cast<QToolButton*>(f->StandardToolBar->widgetForAction(f->EmoticonsButton));
        QCOMPARE(emoticons->popupMode(), QToolButton::MenuButtonPopup);

        // The toggles; of the three grouped ones a click keeps one down.
        for (QAction* t : {f->BoldButton, f->ItalicButton, f->UnderlineButton, f->FullAlign})
            QVERIFY(t->isCheckable() && !t->isChecked());
        f->CenterAlign->trigger();
        f->RightAlign->trigger();
        QVERIFY(f->RightAlign->isChecked() && !f->CenterAlign->isChecked());
        f->FullAlign->trigger();
        QVERIFY(f->FullAlign->isChecked() && f->RightAlign->isChecked());

        // The font names, sorted, none selected; the sizes.
        QVERIFY(f->FontName->count() > 0);
        QCOMPARE(f->FontName->currentIndex(), -1);
        for (int i = 1; i < f->FontName->count(); ++i)
            QVERIFY(f->FontName->itemText(i - 1).compare(f->FontName->itemText(i),
                                                         Qt::CaseInsensitive) <= 0);
        QCOMPARE(f->FontSize->count(), 7);
        QCOMPARE(f->FontSize->itemText(5), QStringLiteral("24"));
        QCOMPARE(f->FontSize->currentIndex(), -1);
        QVERIFY(!f->FontName->isEditable() && !f->FontSize->isEditable());

        // Status bar panels; menus.
        QCOMPARE(f->sbPanels[0]->width(), 120);
        QCOMPARE(f->sbPanels[1]->width(), 60);
        QVERIFY(f->sbPanels[1]->alignment() & Qt::AlignHCenter);
        QCOMPARE(f->MainMenu->actions().size(), 2);
        QCOMPARE(f->Mail1->title(), QStringLiteral("Mail"));
        QCOMPARE(f->EditMenu->title(), QStringLiteral("&Edit"));
        QCOMPARE(f->Mail1->actions().size(), 6);
        QCOMPARE(f->EditMenu->actions().size(), 7);
        QCOMPARE(f->EditUndoItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(f->EditPasteItem->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
        QCOMPARE(f->pmMsg->Items()->Count(), 23);

        // The editor's settings.
        QCOMPARE(f->web->DownloadControlFlags(), 0x70u);
        QCOMPARE(f->web->HostUIFlags(), 0x84u);
        QVERIFY(f->web->ReplaceCaption());
        QCOMPARE(f->web->PrintOptions().Header, QStringLiteral("caca"));
        QCOMPARE(f->web->PrintOptions().Margins.Bottom, 19.05);
    }

    void openingSequence()
    {
        SetApplicationTitle(QStringLiteral("Zentro"));
        OpenComposer(QStringLiteral("Hello"), QStringLiteral("Darvel"), QStringLiteral("Ana"),
                     QStringLiteral("Bob"));
        QCOMPARE(Composers().size(), 1);
        TfMail* f = Composers().first();
        QCOMPARE(f->leSubject->text(), QStringLiteral("Hello"));
        QCOMPARE(f->leTo->text(), QStringLiteral("Darvel"));
        QCOMPARE(f->leCC->text(), QStringLiteral("Ana"));
        QCOMPARE(f->leBCC->text(), QStringLiteral("Bob"));
        QCOMPARE(ApplicationTitle(), QStringLiteral("Zentro Compose"));
        QVERIFY(f->isVisible());
        QVERIFY(!f->EditorReady);
        QVERIFY(f->EditorDocument.IsNull());
        QVERIFY(f->web->EngineStarted());

        // Ready only with the fade over and the document there.
        QSignalSpy ready(f, &TfMail::EditorBecameReady);
        bool bothAtReady = false;
        connect(f, &TfMail::EditorBecameReady, this, [&] {
            bothAtReady =
                !f->Fade->Running() && f->Fade->Alpha() == 255 && !f->web->Document().IsNull();
        });
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);
        QCOMPARE(ready.size(), 1);
        QVERIFY(bothAtReady);
        QVERIFY(f->EditorDocument == f->web->Document());
        QTRY_COMPARE_WITH_TIMEOUT(Eval(f->web, QStringLiteral("document.designMode")).toString(),
                                  QStringLiteral("on"), 10000);

        // The title stays after the composer has gone.
        QPointer<TfMail> guard = f;
        f->Close1->trigger();
        QTRY_VERIFY(guard.isNull());
        QCOMPARE(ApplicationTitle(), QStringLiteral("Zentro Compose"));
    }

    void readyWaitsForWhicheverComesLast()
    {
        // The fade ends first: not ready until the page is there.
        auto* early = new TfMail();
        for (int i = 0; i < 32; ++i)
            early->tmrShowTimer();
        QVERIFY(!early->Fade->Running());
        QVERIFY(early->web->Document().IsNull());
        QVERIFY(!early->EditorReady);
        QTRY_VERIFY_WITH_TIMEOUT(early->EditorReady, 20000);

        // The page comes first: not ready until the fade has ended.
        auto* late = new TfMail();
        late->Fade->tmrShow()->stop();
        QTRY_VERIFY_WITH_TIMEOUT(!late->web->Document().IsNull(), 20000);
        // A round trip to the page after the load: the load's news is in.
        QVERIFY(Eval(late->web, QStringLiteral("1")).isValid());
        QVERIFY(PostedEventsHandled());
        QVERIFY(!late->EditorReady);
        late->Fade->tmrShow()->start();
        QTRY_VERIFY_WITH_TIMEOUT(late->EditorReady, 5000);
    }

    void commandsWaitForTheEditor()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        // Before the editor is ready a click does nothing (and raises
        // nothing).
        QVERIFY(!f->EditorReady);
        f->BoldButton->trigger();
        f->FontSize->setCurrentIndex(5);
        f->FontSizeChange();
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);
        Eval(f->web,
             QStringLiteral("document.body.innerHTML = '<p id=p>word</p>';"
                            "getSelection().selectAllChildren(document.getElementById('p'))"));
        QCOMPARE(Eval(f->web, QStringLiteral("document.body.innerHTML")).toString(),
                 QStringLiteral("<p id=\"p\">word</p>"));
        f->BoldButton->trigger();
        f->FontSize->setCurrentIndex(5);
        f->FontSizeChange();
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(f->web, QStringLiteral("document.getElementById('p').innerHTML")).toString(),
            QStringLiteral("<b><font size=\"6\">word</font></b>"), 10000);
        // The context menu's item shares the button's handler.
        f->miItalic->Click();
        QTRY_VERIFY_WITH_TIMEOUT(
            Eval(f->web, QStringLiteral("document.getElementById('p').innerHTML"))
                .toString()
                .contains(QStringLiteral("<i>")),
            10000);
    }

    void twoComposersAreIndependentAndCloseWithoutAsking()
    {
        TfMail* a = Open(QStringLiteral("Ana"));
        TfMail* b = Open(QStringLiteral("Bob"));
        QVERIFY(a && b && a != b);
        QCOMPARE(Composers().size(), 2);
        QVERIFY(a->leSubject->text().isEmpty() && a->leCC->text().isEmpty() &&
                a->leBCC->text().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(a->EditorReady && b->EditorReady, 20000);
        QVERIFY(!(a->EditorDocument == b->EditorDocument));
        a->leSubject->setText(QStringLiteral("unsent text"));
        Eval(a->web, QStringLiteral("document.body.innerHTML = 'draft'"));

        QPointer<TfMail> ga = a;
        QVERIFY(a->close());
        QTRY_VERIFY(ga.isNull());
        QCOMPARE(Composers().size(), 1);
        QCOMPARE(b->leTo->text(), QStringLiteral("Bob"));
        QVERIFY(b->isVisible());
        QVERIFY(b->EditorReady);
    }

    void rendererCrashLosesNothing()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        f->leSubject->setText(QStringLiteral("Lunch"));
        f->leCC->setText(QStringLiteral("Ana"));
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);
        SetMessage(f, QStringLiteral("<p id=p>Lunch on <b id=b>Friday</b></p>"));
        CaretIn(f, QStringLiteral("b"));
        QTRY_VERIFY_WITH_TIMEOUT(f->BoldButton->isChecked(), 10000);
        const QString written = Body(f);
        QTRY_VERIFY(!f->web->ContentCopyPending());

        QSignalSpy ready(f, &TfMail::EditorBecameReady);
        QWebEnginePage* page = f->web->View()->page();
        const qint64 pid = page->renderProcessPid();
        QVERIFY(pid > 0);
        QCOMPARE(::kill(pid_t(pid), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 20000);
        QVERIFY(page->renderProcessPid() != pid);
        QCOMPARE(Body(f), written);
        QCOMPARE(Eval(f->web, QStringLiteral("document.designMode")).toString(),
                 QStringLiteral("on"));
        QCOMPARE(f->leTo->text(), QStringLiteral("Darvel"));
        QCOMPARE(f->leSubject->text(), QStringLiteral("Lunch"));
        QCOMPARE(f->leCC->text(), QStringLiteral("Ana"));

        // The toolbar follows the new document, and commands reach it.
        QTRY_VERIFY_WITH_TIMEOUT(!f->BoldButton->isChecked(), 10000);
        SelectAllOf(f, QStringLiteral("b"));
        QTRY_VERIFY_WITH_TIMEOUT(f->BoldButton->isChecked(), 10000);
        f->BoldButton->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!Body(f).contains(QStringLiteral("<b")), 10000);
    }

    // The copy follows edits by the blocks they touch: each kind of edit,
    // copied on its own, survives the renderer's loss.
    void rendererCrashKeepsEachKindOfEdit()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);
        QString html;
        for (int i = 0; i < 10; ++i)
            html += QStringLiteral("<p id=p%1>Paragraph <i>%1</i></p>").arg(i);
        const QStringList edits{
            QStringLiteral("document.body.innerHTML = '%1'").arg(html),
            QStringLiteral("document.getElementById('p5').firstChild.appendData(' & more')"),
            QStringLiteral("document.getElementById('p5').after('plain <text>')"),
            QStringLiteral(
                "document.getElementById('p0').remove(); document.getElementById('p8').remove()"),
            QStringLiteral("document.body.setAttribute('bgcolor', 'navy')")};
        for (const QString& edit : edits) {
            const int before = f->web->Bridge()->SnapshotCount();
            Eval(f->web, edit);
            QTRY_VERIFY(f->web->Bridge()->SnapshotCount() > before);
            QTRY_VERIFY(!f->web->ContentCopyPending());
        }
        const QString body = QStringLiteral("document.body.outerHTML");
        const QString written = Eval(f->web, body).toString();
        QSignalSpy ready(f, &TfMail::EditorBecameReady);
        QCOMPARE(::kill(pid_t(f->web->View()->page()->renderProcessPid()), SIGKILL), 0);
        QTRY_COMPARE_WITH_TIMEOUT(ready.count(), 1, 20000);
        QCOMPARE(Eval(f->web, body).toString(), written);
    }

    void contextMenuStatusAndPreview()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);

        // A context-menu request opens pmMsg and no engine menu.
        QVERIFY(WhileMenuOpen([&] {
            QCOMPARE(f->web->ShowContextMenu(cmDefault, f->mapToGlobal(QPoint(100, 300))),
                     int(S_OK));
        }));

        // The link under the pointer goes to the third panel, as the page
        // wrote it, markup and all.
        const QString link = QStringLiteral("mailto:<b>bank</b>@example.invalid");
        f->web->OnStatusTextChange(f->web, link);
        QCOMPARE(f->sbPanels[2]->text(), link);
        QVERIFY(f->sbPanels[2]->sizeHint().width() >=
                f->sbPanels[2]->fontMetrics().horizontalAdvance(link));
        QVERIFY(f->sbPanels[0]->text().isEmpty() && f->sbPanels[1]->text().isEmpty());

        // "Print ..." does nothing; "Print Preview" paints the editor at
        // (0, 300) over the window until clicked.
        f->Print1->trigger();
        QVERIFY(!f->imgPrintPreview->isVisible());
        f->PrintPreview1->trigger();
        QVERIFY(f->imgPrintPreview->isVisible());
        QCOMPARE(f->imgPrintPreview->pos(), QPoint(0, 300));
        QCOMPARE(f->imgPrintPreview->size(), f->web->size());
        QTest::mouseClick(f->imgPrintPreview, Qt::LeftButton);
        QVERIFY(!f->imgPrintPreview->isVisible());
        QCOMPARE(Composers().size(), 1);
    }

    void editMenuActsOnTheFocusedField()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QTRY_VERIFY_WITH_TIMEOUT(f->EditorReady, 20000);
        f->activateWindow();
        f->leSubject->setFocus();
        QTRY_VERIFY(f->leSubject->hasFocus());
        QTest::keyClicks(f->leSubject, QStringLiteral("abc"));
        f->EditUndoItem->trigger();
        QCOMPARE(f->leSubject->text(), QString());
        QCOMPARE(f->leTo->text(), QStringLiteral("Darvel"));

        // In the editor the items reach the document.
        f->web->View()->focusProxy()->setFocus();
        QTRY_VERIFY(f->web->View()->focusProxy()->hasFocus());
        Eval(f->web, QStringLiteral("document.body.focus(); document.execCommand('insertText', "
                                    "false, 'typed'); true"));
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(f->web, QStringLiteral("document.body.innerText")).toString(),
            QStringLiteral("typed"), 10000);
        f->EditUndoItem->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(f->web, QStringLiteral("document.body.innerText")).toString(), QString(), 10000);
        // "&Font..." opens nothing.
        f->miEditFont->trigger();
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

ZENTRO_TEST_MAIN(tst_Mail)
#include "tst_Mail.moc"

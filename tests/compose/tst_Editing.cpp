// The composer's editing commands against the real engine, and the
// mirroring of the editor's state onto the toolbar, the font lists, the
// colour dialog and the context menu.

#include "base/TColor.h"
#include "compose/uMail.h"
#include "htmlview/HtmlBridge.h"
#include "htmlview/HtmlView.h"
#include "popup/ZmItem.h"
#include "popup/ZmPopupMenu.h"
#include "popup/ZmRootItem.h"

#include "ComposerFixture.h"
#include "ZentroTest.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace {

// Opens pmMsg as a right-click in the editor does, looks at it while it is
// open, and closes it.
void WithMessageMenu(TfMail* f, const std::function<void()>& look)
{
    QVERIFY(WhileMenuOpen(
        [f] {
            QCOMPARE(f->web->ShowContextMenu(cmDefault, f->mapToGlobal(QPoint(200, 300))),
                     int(S_OK));
        },
        [look](TZmView*) { look(); }));
}

// Answers the next modal dialog: accepted after prepare has run on it, or
// rejected without prepare. Returns whether a dialog came.
std::shared_ptr<bool> AnswerDialog(QObject* context, bool accept,
                                   std::function<void(QDialog*)> prepare = {})
{
    auto came = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [=] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) {
            QTimer::singleShot(20, context, *poll);
            return;
        }
        *came = true;
        if (accept) {
            if (prepare)
                prepare(d);
            d->accept();
        } else {
            d->reject();
        }
    };
    QTimer::singleShot(20, context, *poll);
    return came;
}

QVariantMap Snapshot(const QVariantMap& values)
{
    return {{QStringLiteral("states"), QVariantMap()},
            {QStringLiteral("enabled"), QVariantMap()},
            {QStringLiteral("values"), values}};
}

} // namespace

class tst_Editing : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (TfMail* m : Composers())
            delete m;
    }

    void togglesFollowTheCaret()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        SetMessage(f, QStringLiteral("<p id=l><b><i><u id=biu>styled</u></i></b> <span id=plain>"
                                     "plain</span></p><p id=c style='text-align:center'>centred</p>"
                                     "<p id=j style='text-align:justify'>justified</p>"));
        WatchCommands(f);

        CaretIn(f, QStringLiteral("biu"));
        QTRY_VERIFY_WITH_TIMEOUT(f->BoldButton->isChecked(), 10000);
        QVERIFY(f->ItalicButton->isChecked() && f->UnderlineButton->isChecked());
        QVERIFY(f->LeftAlign->isChecked() && !f->CenterAlign->isChecked());
        WithMessageMenu(f, [f] { QVERIFY(f->miBold->Checked() && f->miLeft->Checked()); });

        // From bold to plain text: the button goes up, and so does the item
        // the next time the menu opens.
        CaretIn(f, QStringLiteral("plain"));
        QTRY_VERIFY_WITH_TIMEOUT(!f->BoldButton->isChecked(), 10000);
        QVERIFY(!f->ItalicButton->isChecked() && !f->UnderlineButton->isChecked());
        WithMessageMenu(f, [f] {
            QVERIFY(!f->miBold->Checked());
            QVERIFY(!f->miItalic->Checked() && !f->miUnderline->Checked());
        });

        CaretIn(f, QStringLiteral("c"));
        QTRY_VERIFY_WITH_TIMEOUT(f->CenterAlign->isChecked(), 10000);
        QVERIFY(!f->LeftAlign->isChecked() && !f->RightAlign->isChecked());
        WithMessageMenu(f, [f] { QVERIFY(f->miCenter->Checked() && !f->miLeft->Checked()); });
        CaretIn(f, QStringLiteral("j"));
        QTRY_VERIFY_WITH_TIMEOUT(f->FullAlign->isChecked(), 10000);
        QVERIFY(!f->CenterAlign->isChecked());

        // Following the editor ran no command.
        QCOMPARE(SentCommands(f), QStringList());

        // A command updates the state too.
        SelectAllOf(f, QStringLiteral("plain"));
        QTRY_VERIFY_WITH_TIMEOUT(f->CutButton->isEnabled(), 10000);
        f->BoldButton->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(SentCommands(f), QStringList{QStringLiteral("Bold:null")}, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(Body(f).contains(QStringLiteral("<b>plain</b>")), 10000);
        QVERIFY(f->BoldButton->isChecked());
        f->BoldButton->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!f->BoldButton->isChecked(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!Body(f).contains(QStringLiteral("<b>plain</b>")), 10000);
    }

    // Keys typed into the message report what they change, and nothing
    // more is asked of them (see the bridge's keyUp).
    void keysReportWhatTheyChange_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("toBold"); // else: to Undo
        QTest::newRow("a character typed") << int(Qt::Key_X) << 0 << false;
        QTest::newRow("the caret moved into bold") << int(Qt::Key_End) << 0 << true;
        QTest::newRow("a style shortcut on the caret")
            << int(Qt::Key_B) << int(Qt::ControlModifier) << true;
    }

    void keysReportWhatTheyChange()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, toBold);
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        SetMessage(f, QStringLiteral("<p id=p>plain <b>bold</b></p>"));
        CaretIn(f, QStringLiteral("p"), 2);
        const auto reached = [f, toBold] {
            return toBold ? f->BoldButton->isChecked() : f->UndoButton->isEnabled();
        };
        QTRY_VERIFY_WITH_TIMEOUT(f->PasteButton->isEnabled() || !f->CutButton->isEnabled(), 10000);
        QVERIFY(!reached());
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QWidget* page = f->web->EngineWidget()->focusProxy();
        QVERIFY(page);
        page->setFocus();
        QTest::keyClick(page, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY_WITH_TIMEOUT(reached(), 10000);
    }

    void messageMenuInThreeColumns()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        QCOMPARE(f->pmMsg->Images(), f->IconsON);
        for (TZmItem* radio : {f->miLeft, f->miCenter, f->miRight, f->miFull})
            QVERIFY(radio->RadioItem() && radio->GroupIndex() == f->miLeft->GroupIndex());
        QVERIFY(f->miLeft->GroupIndex() != 0 && f->miBold->GroupIndex() == 0);
        QCOMPARE(f->AddAttachment1->ImageIndex(), -1);
        SetMessage(f, QStringLiteral("<p id=p>word</p>"));
        SelectAllOf(f, QStringLiteral("p"));
        QTRY_VERIFY_WITH_TIMEOUT(f->CutButton->isEnabled(), 10000);
        WatchCommands(f);

        // Cut to Font Color, the alignments and insertions, then the
        // message's own items; a click on an item runs its command.
        QVERIFY(WhileMenuOpen(
            [f] { f->web->ShowContextMenu(cmDefault, f->mapToGlobal(QPoint(200, 300))); },
            [f](TZmView* view) {
                auto at = [view](TZmCustomItem* item) {
                    return view->ViewerRect(view->ViewerOf(item));
                };
                QCOMPARE(at(f->miCut).left(), at(f->miColor).left());
                QVERIFY(at(f->miLeft).left() > at(f->miColor).right());
                QCOMPARE(at(f->miLeft).top(), at(f->miCut).top());
                QCOMPARE(at(f->miEmoticon).left(), at(f->miLeft).left());
                QVERIFY(at(f->AddAttachment1).left() > at(f->miEmoticon).right());
                QCOMPARE(at(f->AddAttachment1).top(), at(f->miCut).top());
                ClickItem(view, f->miUnderline);
            }));
        QTRY_COMPARE_WITH_TIMEOUT(SentCommands(f), QStringList{QStringLiteral("Underline:null")},
                                  10000);
        QTRY_VERIFY_WITH_TIMEOUT(f->UnderlineButton->isChecked(), 10000);

        // Checking one alignment unchecks the others; the last two items
        // run nothing.
        f->miCenter->SetChecked(true);
        f->miRight->SetChecked(true);
        QVERIFY(!f->miCenter->Checked());
        f->AddAttachment1->Click();
        f->Send1->Click();
        // A command after them arrives next to the first.
        f->BoldButton->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(SentCommands(f).size(), 2, 10000);
        QCOMPARE(SentCommands(f).last(), QStringLiteral("Bold:null"));
    }

    void availabilityFollowsSelectionClipboardAndHistory()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        QGuiApplication::clipboard()->setText(QStringLiteral("pasteable"));
        SetMessage(f, QStringLiteral("<p id=p>some text</p>"));
        WatchCommands(f);

        // Nothing selected: no Cut, no Copy, here and in the menu.
        CaretIn(f, QStringLiteral("p"), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!f->CutButton->isEnabled() && f->PasteButton->isEnabled(), 10000);
        QVERIFY(!f->CopyButton->isEnabled());
        QVERIFY(f->ImageButton->isEnabled() && f->LinkButton->isEnabled());
        QVERIFY(f->ColorButton->isEnabled());
        WithMessageMenu(f, [f] {
            QVERIFY(!f->miCut->Enabled() && !f->miCopy->Enabled());
            QVERIFY(f->miPaste->Enabled() && f->miImage->Enabled());
            QVERIFY(f->miColor->Enabled() && f->miLastEmoticon->Enabled());
        });
        // A disabled button takes no clicks.
        QTest::mouseClick(f->StandardToolBar->widgetForAction(f->CutButton), Qt::LeftButton);
        QCOMPARE(SentCommands(f), QStringList());

        SelectAllOf(f, QStringLiteral("p"));
        QTRY_VERIFY_WITH_TIMEOUT(f->CutButton->isEnabled() && f->CopyButton->isEnabled(), 10000);
        WithMessageMenu(f, [f] { QVERIFY(f->miCut->Enabled() && f->miCopy->Enabled()); });

        // Paste follows the clipboard.
        QGuiApplication::clipboard()->clear();
        QTRY_VERIFY_WITH_TIMEOUT(!f->PasteButton->isEnabled(), 10000);
        WithMessageMenu(f, [f] { QVERIFY(!f->miPaste->Enabled()); });
        QGuiApplication::clipboard()->setText(QStringLiteral("again"));
        QTRY_VERIFY_WITH_TIMEOUT(f->PasteButton->isEnabled(), 10000);

        // Editing makes Undo available, undoing makes Redo available.
        QVERIFY(!f->UndoButton->isEnabled() && !f->RedoButton->isEnabled());
        f->CutButton->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(f->UndoButton->isEnabled(), 10000);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("some text"));
        QVERIFY(!Body(f).contains(QStringLiteral("some text")));
        f->UndoButton->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(f->RedoButton->isEnabled(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(Body(f).contains(QStringLiteral("some text")), 10000);
    }

    void fontListsAndColourFollowTheEditor()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        // Ready, the lists show the editor's face and size before any click.
        QTRY_VERIFY_WITH_TIMEOUT(f->FontName->currentIndex() >= 0, 10000);
        QCOMPARE(f->FontSize->currentText(), QStringLiteral("12"));
        // The face list drops down ten rows, not the whole list.
        f->FontName->showPopup();
        QAbstractItemView* rows = f->FontName->view();
        QTRY_VERIFY(rows->isVisible());
        QVERIFY(rows->height() < 12 * rows->sizeHintForRow(0));
        f->FontName->hidePopup();
        // A face of the list, spelled in other letter cases in the message.
        int face = -1;
        for (int i = 0; i < f->FontName->count() && face < 0; ++i)
            if (f->FontName->itemText(i).contains(QLatin1Char(' ')) &&
                !f->FontName->itemText(i).contains(QLatin1Char('[')))
                face = i;
        QVERIFY(face >= 0);
        const QString name = f->FontName->itemText(face);
        SetMessage(f, QStringLiteral("<p><font size=2 id=s2>small</font><font size=5 id=s5>large"
                                     "</font><font size=7 id=s7>huge</font></p>"
                                     "<p><span id=upper style=\"font-family: '%1'\">upper</span>"
                                     "<span id=unknown style='font-family: NoSuchFace'>none</span>"
                                     "<span id=red style='color: #ff0000'>red</span>"
                                     "<span id=blue style='color: #0000ff'>blue</span></p>")
                          .arg(name.toUpper()));

        CaretIn(f, QStringLiteral("s5"));
        QTRY_COMPARE_WITH_TIMEOUT(f->FontSize->currentText(), QStringLiteral("18"), 10000);
        CaretIn(f, QStringLiteral("s7"));
        QTRY_COMPARE_WITH_TIMEOUT(f->FontSize->currentText(), QStringLiteral("36"), 10000);
        // Two sizes give no size: "8".
        Select(f, QStringLiteral("const r = document.createRange();"
                                 "r.setStart(document.getElementById('s2').firstChild, 1);"
                                 "r.setEnd(document.getElementById('s5').firstChild, 2);"
                                 "getSelection().removeAllRanges(); getSelection().addRange(r)"));
        QTRY_COMPARE_WITH_TIMEOUT(f->FontSize->currentIndex(), 0, 10000);

        CaretIn(f, QStringLiteral("upper"));
        QTRY_COMPARE_WITH_TIMEOUT(f->FontName->currentIndex(), face, 10000);
        CaretIn(f, QStringLiteral("unknown"));
        QTRY_COMPARE_WITH_TIMEOUT(f->FontName->currentIndex(), -1, 10000);

        CaretIn(f, QStringLiteral("red"));
        QTRY_COMPARE_WITH_TIMEOUT(f->cd->currentColor(), QColor(Qt::red), 10000);
        // Red and blue: no single colour, black.
        Select(f, QStringLiteral("const r = document.createRange();"
                                 "r.setStart(document.getElementById('red').firstChild, 1);"
                                 "r.setEnd(document.getElementById('blue').firstChild, 2);"
                                 "getSelection().removeAllRanges(); getSelection().addRange(r)"));
        QTRY_COMPARE_WITH_TIMEOUT(f->cd->currentColor(), QColor(Qt::black), 10000);
    }

    void eachFallbackOnItsOwn()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        THtmlBridge* bridge = f->web->Bridge();
        f->FontName->setCurrentIndex(2);

        // A size outside 1 to 7 selects no size; the missing name and
        // colour fall back without stopping it.
        bridge->snapshot(Snapshot({{QStringLiteral("FontSize"), QStringLiteral("9")}}));
        QCOMPARE(f->FontSize->currentIndex(), -1);
        QCOMPARE(f->FontName->currentIndex(), -1);
        QCOMPARE(f->cd->currentColor(), QColor(Qt::black));

        // A name and a colour, with no size: "8".
        const QString name = f->FontName->itemText(3);
        bridge->snapshot(
            Snapshot({{QStringLiteral("FontName"), name.toLower()},
                      {QStringLiteral("ForeColor"), QStringLiteral("rgb(0, 128, 0)")}}));
        QCOMPARE(f->FontName->currentIndex(), 3);
        QCOMPARE(f->FontSize->currentIndex(), 0);
        QCOMPARE(f->cd->currentColor(), QColor(0, 128, 0));
    }

    void userChoicesSendTheirValues()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        SetMessage(f, QStringLiteral("<p id=p>word</p>"));
        SelectAllOf(f, QStringLiteral("p"));
        QTRY_VERIFY_WITH_TIMEOUT(f->CutButton->isEnabled(), 10000);
        WatchCommands(f);

        // "24" is HTML size 6.
        QTest::keyClicks(f->FontSize, QStringLiteral("2"));
        QCOMPARE(f->FontSize->currentText(), QStringLiteral("24"));
        QTRY_COMPARE_WITH_TIMEOUT(SentCommands(f), QStringList{QStringLiteral("FontSize:6")},
                                  10000);
        QTRY_VERIFY_WITH_TIMEOUT(Body(f).contains(QStringLiteral("size=\"6\"")), 10000);

        // A face goes as it is shown.
        const int face = f->FontName->count() - 1;
        const QString name = f->FontName->itemText(face);
        f->FontName->setCurrentIndex(face);
        emit f->FontName->activated(face);
        QTRY_COMPARE_WITH_TIMEOUT(SentCommands(f).value(1), QStringLiteral("FontName:%1").arg(name),
                                  10000);
    }

    void colourDialog()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        SetMessage(f, QStringLiteral("<p><span id=red style='color: #ff0000'>red</span></p>"));
        SelectAllOf(f, QStringLiteral("red"));
        QTRY_COMPARE_WITH_TIMEOUT(f->cd->currentColor(), QColor(Qt::red), 10000);
        WatchCommands(f);
        const QString before = Body(f);

        // The dialog starts at the mirrored colour; cancelling changes
        // nothing, even after browsing to another colour.
        QColor shown;
        auto came = AnswerDialog(this, false);
        QTimer::singleShot(10, this, [&] {
            shown = f->cd->currentColor();
            f->cd->setCurrentColor(Qt::green);
        });
        f->ColorButton->trigger();
        QVERIFY(*came);
        QCOMPARE(shown, QColor(Qt::red));
        QCOMPARE(f->cd->currentColor(), QColor(Qt::red));
        // Whatever the dialog's end sent went before this question.
        QVERIFY(PostedEventsHandled());
        QCOMPARE(SentCommands(f), QStringList());
        QCOMPARE(Body(f), before);

        // Confirmed, the colour goes even when it is already there.
        came = AnswerDialog(this, true);
        f->ColorButton->trigger();
        QVERIFY(*came);
        QTRY_COMPARE_WITH_TIMEOUT(SentCommands(f), QStringList{QStringLiteral("ForeColor:#ff0000")},
                                  10000);

        // The menu item shares the handler; the colour goes unchanged.
        came = AnswerDialog(this, true,
                            [f](QDialog*) { f->cd->setCurrentColor(QColor(0x12, 0x34, 0x56)); });
        f->miColor->Click();
        QVERIFY(*came);
        QTRY_COMPARE_WITH_TIMEOUT(SentCommands(f).value(1), QStringLiteral("ForeColor:#123456"),
                                  10000);
        QTRY_VERIFY_WITH_TIMEOUT(Body(f).contains(QStringLiteral("#123456")), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(f->cd->currentColor(), QColor(0x12, 0x34, 0x56), 10000);
    }

    void pictureAndLinkDialogs()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(WaitReady(f));
        SetMessage(f, QStringLiteral("<p id=p>link me</p>"));
        SelectAllOf(f, QStringLiteral("p"));
        QTRY_VERIFY_WITH_TIMEOUT(f->CutButton->isEnabled(), 10000);

        auto came = AnswerDialog(this, true, [](QDialog* d) {
            d->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)
                ->setText(QStringLiteral("http://example.invalid/"));
        });
        f->LinkButton->trigger();
        QVERIFY(*came);
        QTRY_VERIFY_WITH_TIMEOUT(
            Body(f).contains(QStringLiteral("<a href=\"http://example.invalid/\">link me</a>")),
            10000);

        // The picture dialog asks for the address and the alternative text;
        // both reach the document as they were typed.
        CaretIn(f, QStringLiteral("p"));
        came = AnswerDialog(this, true, [](QDialog* d) {
            const auto edits = d->findChildren<QLineEdit*>();
            QCOMPARE(edits.size(), 2);
            // Tab goes from the address to the text, then to the buttons.
            edits[0]->setFocus();
            QTest::keyClick(edits[0], Qt::Key_Tab);
            QCOMPARE(d->focusWidget(), edits[1]);
            edits[0]->setText(QStringLiteral("http://example.invalid/a.png"));
            edits[1]->setText(QStringLiteral("a \"quoted\" <picture>"));
        });
        f->ImageButton->trigger();
        QVERIFY(*came);
        QTRY_COMPARE_WITH_TIMEOUT(
            Eval(f->web, QStringLiteral("document.images.length ? document.images[0].alt : ''"))
                .toString(),
            QStringLiteral("a \"quoted\" <picture>"), 10000);
        QCOMPARE(Eval(f->web, QStringLiteral("document.images[0].getAttribute('src')")).toString(),
                 QStringLiteral("http://example.invalid/a.png"));

        // Cancelled from the menu: nothing more.
        came = AnswerDialog(this, false);
        f->miImage->Click();
        QVERIFY(*came);
        QVERIFY(PostedEventsHandled());
        QCOMPARE(Eval(f->web, QStringLiteral("document.images.length")).toInt(), 1);
    }

    void nothingBeforeTheEditorIsReady()
    {
        TfMail* f = Open(QStringLiteral("Darvel"));
        QVERIFY(!f->EditorReady);
        // No dialog, no picture, no mirrored state.
        f->ColorButton->trigger();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        f->EmoticonsButton->trigger();
        f->web->Bridge()->snapshot(
            {{QStringLiteral("states"), QVariantMap{{QStringLiteral("Bold"), true}}},
             {QStringLiteral("enabled"), QVariantMap()},
             {QStringLiteral("values"), QVariantMap()}});
        QVERIFY(!f->BoldButton->isChecked());
        QVERIFY(f->CutButton->isEnabled());
        QVERIFY(WaitReady(f));
        QCOMPARE(Eval(f->web, QStringLiteral("document.images.length")).toInt(), 0);
    }
};

ZENTRO_TEST_MAIN(tst_Editing)
#include "tst_Editing.moc"
